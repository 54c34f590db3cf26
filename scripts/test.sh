#!/usr/bin/env bash
# Runs every test tier: the native core tests, a short run of the fuzz target,
# then the Windows-side, GUI and end-to-end tests under Wine on a private
# virtual display. Both trees must be built (make test does that first; the
# fuzz tree is built here). Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-session.sh

status=0
echo "== Native tests"
ctest --test-dir build/native --output-on-failure -j2 || status=1

echo "== Fuzz smoke run"
scripts/fuzz.sh smoke || status=1

trap stop_session EXIT
wine_prefix_ready
start_display || exit 1
start_wine
echo "== Windows tests under Wine (display $DISPLAY)"
ctest --test-dir build/windows --output-on-failure -j2 </dev/null || status=1
exit $status
