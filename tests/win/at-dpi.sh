#!/usr/bin/env bash
# at-dpi.sh DPI EXE [ARG...]: runs a test executable under Wine on a display
# of DPI dots per inch. The dpi belongs to a prefix, so the run's prefix is
# copied once per build tree (a second or two) and told its dpi; the copy
# gets a wineserver of its own for the run, leaving the run's prefix alone.
set -uo pipefail
dpi=$1
shift
. "$(dirname "$0")/../../scripts/wine-env.sh"
base="$WINEPREFIX"
export WINEPREFIX="$base-$dpi"
if [ ! -f "$WINEPREFIX/.vantrel-dpi" ]; then
  rm -rf "$WINEPREFIX"
  cp -a "$base" "$WINEPREFIX" || exit 1
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    "$WINE64" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  done
  "$WINESERVER" -k
  "$WINESERVER" -w
  touch "$WINEPREFIX/.vantrel-dpi"
fi
# The copy may be older than the doubles just built.
install_doubles "$WINEPREFIX" "$(dirname "$0")/../../build/windows"
wine_fonts_ready || exit 1
# As for the run's own prefix: Wine's services must not hold this output.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE64" wineboot </dev/null >/dev/null 2>&1
VANTREL_DPI="$dpi" "$WINE64" "$@" </dev/null
status=$?
"$WINESERVER" -k >/dev/null 2>&1
"$WINESERVER" -w >/dev/null 2>&1
exit $status
