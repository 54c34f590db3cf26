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
install_doubles "$WINEPREFIX" build/windows
start_display || exit 1
start_wine
# The GUI tests leave pictures of the windows here; the README shows them.
pictures="$PWD/build/pictures"
rm -rf "$pictures"
mkdir -p "$pictures"
export VANTREL_PICTURES="Z:${pictures//\//\\}"
echo "== Windows tests under Wine (display $DISPLAY)"
ctest --test-dir build/windows --output-on-failure -j2 </dev/null || status=1
for bmp in "$pictures"/*.bmp; do
  [ -e "$bmp" ] && /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
