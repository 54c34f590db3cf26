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

# The recorder's lines as a reader takes them in: keys by name, and a run
# of pointer moves the same way in one line, told once the pointer has been
# still for a moment (the controller's next line comes later than that).
key_name() {
  case "$1" in
    0) echo "no modifier: the empty modifier event" ;;
    16) echo Shift ;;
    17) echo Ctrl ;;
    18) echo Alt ;;
    4[89] | 5[0-7] | 6[5-9] | [78][0-9] | 90) printf "\\$(printf '%03o' "$1")" ;;
    11[2-9] | 12[0-3]) echo "F$(($1 - 111))" ;;
  esac
}
describe_input() {
  local line name way="" moves=0 total=0 least=0 most=0 step status
  tell_moves() {
    [ "$moves" -gt 0 ] || return 0
    local each="$least px" count="$moves moves"
    [ "$least" -eq "$most" ] || each="$least to $most px"
    [ "$moves" -eq 1 ] && count="1 move"
    echo "  injected: the pointer moved $way $total px ($count of $each)"
    moves=0 total=0 way=""
  }
  while :; do
    IFS= read -r -t 0.08 line
    status=$?
    if [ "$status" -gt 128 ]; then tell_moves; continue; fi
    [ "$status" -eq 0 ] || break
    line=${line%$'\r'}
    if [[ $line =~ ^mouse\ move\ (-?[0-9]+),(-?[0-9]+)$ ]]; then
      local dx=${BASH_REMATCH[1]} dy=${BASH_REMATCH[2]} this=""
      if [ "$dy" -eq 0 ]; then
        step=${dx#-}; this=right; [ "$dx" -lt 0 ] && this=left
      elif [ "$dx" -eq 0 ]; then
        step=${dy#-}; this=down; [ "$dy" -lt 0 ] && this=up
      fi
      if [ -n "$this" ]; then
        [ "$this" = "$way" ] || { tell_moves; way=$this least=$step most=$step; }
        moves=$((moves + 1)) total=$((total + step))
        [ "$step" -lt "$least" ] && least=$step
        [ "$step" -gt "$most" ] && most=$step
        continue
      fi
    fi
    tell_moves
    if [[ $line =~ ^key\ (down|up)\ ([0-9]+)$ ]]; then
      name=$(key_name "${BASH_REMATCH[2]}")
      [ -n "$name" ] && line="$line ($name)"
    fi
    echo "  injected: $line"
  done
  tell_moves
}

echo "No display here: Vantrel runs on a virtual display with a scripted controller;"
echo "each line below is what the controller did, or input Vantrel injected."
"$WINE64" build/windows/tests/e2e/InputRecorder.exe </dev/null 2>/dev/null | describe_input &
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
