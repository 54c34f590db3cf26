#!/usr/bin/env bash
# Runs one Windows program under Wine; CMake uses it as the cross-compiling
# emulator, so CTest and test discovery go through it too. Wine ends piped
# lines in CRLF; the carriage returns are dropped so test names stay clean.
set -o pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
"$WINE64" "$@" | tr -d '\r'
