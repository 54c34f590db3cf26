# Sourced by the scripts that run Windows programs: one private Wine prefix
# inside the build tree, quiet, 64-bit, with the DirectInput and XInput
# doubles allowed to stand in for the system's libraries (install_doubles
# puts them in the prefix's system folder).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# mscoree/mshtml off: Wine would otherwise offer to install Mono and Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-dinput,xinput1_4,xinput9_1_0=n,b;mscoree,mshtml=}"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINE64" ] || WINE64="$(command -v wine64 || echo wine64)"
[ -x "$WINESERVER" ] || WINESERVER="$(command -v wineserver || echo wineserver)"

# The program loads DirectInput (and the other libraries it looks up at run
# time) from the system folder only, so the test doubles of those libraries
# stand there in the test prefix: install_doubles PREFIX TREE copies the
# doubles built in the Windows tree TREE into PREFIX's system folder. Only
# prefixes of the project's own build trees ever get them.
install_doubles() {
  local system="$1/drive_c/windows/system32" built="$2/tests/doubles/system32" dll
  [ -d "$system" ] && [ -d "$built" ] || return 0
  for dll in "$built"/*.dll; do
    [ -e "$dll" ] || continue
    cmp -s "$dll" "$system/$(basename "$dll")" || cp "$dll" "$system/"
  done
}

# Debian's Wine looks for its own fonts (fonts-wine) in a folder it never
# finds, so without a window manager the title bars' buttons, which Wine draws
# in Marlett, came out as the letters "0 1 r". Every prefix searches its own
# Fonts folder: Marlett is put there, and only Marlett, so that the dialog
# fonts stay those every layout is measured in. Checked on each run, for a
# prefix prepared before and for a copy of it.
wine_fonts_ready() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] && return 0
  mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}
