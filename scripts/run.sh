#!/usr/bin/env bash
# Starts dist/Vantrel.exe under Wine. On a machine without a display it runs
# the program on a virtual one, saves a picture of the main window to
# build/screenshot.png and exits.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

if [ -n "${DISPLAY:-}" ]; then
  # A desktop session gets a prefix of its own, left as Wine sets it up
  # (the test prefix turns off window management for the virtual display).
  export WINEPREFIX="$root/build/wine-desktop"
  . scripts/wine-env.sh
  [ -d "$WINEPREFIX" ] || "$WINE64" wineboot --init </dev/null >/dev/null 2>&1
  exec "$WINE64" dist/Vantrel.exe
fi

. scripts/wine-session.sh
trap 'kill $(jobs -p) 2>/dev/null; stop_session' EXIT
wine_prefix_ready
install_doubles "$WINEPREFIX" build/windows
start_display || exit 1
start_wine

# A copy of dist/ whose last profile is the demo profile, with the
# DirectInput double of the test prefix standing in for a controller.
demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp dist/* "$demo/"
winpath="Z:${demo//\//\\}"
printf '[Setup]\r\nPath=%s\\demo.ini\r\n' "$winpath" > "$demo/Vantrel.set"
export VANTREL_DINPUT_DOUBLE=vantrel-demo

echo "No display here: Vantrel runs on a virtual display with a scripted controller;"
echo "each line below is what the controller did, or input Vantrel injected."
"$WINE64" build/windows/tests/e2e/InputRecorder.exe </dev/null 2>/dev/null | sed -u 's/\r$//; s/^key \(down\|up\) 0$/& (no modifier: the empty modifier event)/; s/^/  injected: /' &
sleep 1
"$WINE64" "$demo/Vantrel.exe" </dev/null >/dev/null 2>&1 &

shot="$root/build/screenshot.png"
rm -f "$shot"
rect=$("$WINE64" build/windows/tools/WindowRect.exe "Vantrel 1.0" 30 </dev/null 2>/dev/null | tr -d '\r')
if [ -n "$rect" ]; then
  read -r x y w h <<<"$rect"
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot" >/dev/null 2>&1
fi
"$WINE64" build/windows/tools/DemoSession.exe </dev/null 2>/dev/null | sed -u 's/\r$//'
sleep 0.5
if [ -f "$shot" ]; then
  echo "The main window's picture is in build/screenshot.png"
else
  echo "Vantrel's main window did not appear on the virtual display" >&2
  exit 1
fi
