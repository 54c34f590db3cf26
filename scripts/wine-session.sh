# Sourced by test.sh and run.sh: boots the private Wine prefix once, and
# starts and stops the one wineserver and the virtual display a run uses.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/.vantrel-ready" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX (once per build tree)..."
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot --init </dev/null >/dev/null 2>&1 || true
    # Without a window manager, closing a managed window stalls for seconds.
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # Injected relative moves arrive unscaled only without Wine's acceleration.
    "$WINE64" reg add 'HKCU\Control Panel\Mouse' /v MouseSpeed /d 0 /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vantrel-ready"
  fi
  wine_fonts_ready
}

xvfb_pid=""
start_display() {
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  done
  echo "Could not start a virtual display" >&2
  return 1
}

# The first Wine process starts Wine's services, which would inherit (and
# hold open) the output pipe of whatever runs next: start them detached.
start_wine() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}

stop_session() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}
