#!/usr/bin/env bash
# Runs one Windows program under Wine; CMake uses it as the cross-compiling
# emulator, so CTest and test discovery go through it too. Wine ends piped
# lines in CRLF; the carriage returns are dropped so test names stay clean.
# On a loaded machine Wine now and then fails to start a process at all: it
# ends at once, having written nothing. Such a start is tried once more; a
# program that ran and failed is never run again.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
  "$WINE64" "$@" >"$out"
  status=$?
  [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 2 ] || { sleep 1; continue; }
  break
done
tr -d '\r' <"$out"
exit "$status"
