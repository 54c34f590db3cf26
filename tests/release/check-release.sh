#!/usr/bin/env bash
# The release artefact: `make dist`'s zip holds the portable folder and
# nothing else, its program carries the icon and the version, and the
# program imports only the system's known libraries and only functions that
# Windows 7 has.
# Usage: check-release.sh <source tree> <Vantrel.exe>
set -uo pipefail
src="$1"
exe="$2"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
DIST="$out/dist" "$src/scripts/dist.sh" >/dev/null || fail "make dist's script did not run"
version=$(sed -n 's/^#define VANTREL_VERSION_TEXT "\(.*\)"/\1/p' "$src/res/resource.h")
zip="$out/dist/Vantrel-$version-win64.zip"

expected=$( { echo "Vantrel-$version/"
              for f in Vantrel.exe readme.txt demo.ini; do echo "Vantrel-$version/$f"; done
              for p in "$src"/lang/*.lng; do [ -e "$p" ] && echo "Vantrel-$version/$(basename "$p")"; done
            } | sort)
listed=$(unzip -Z1 "$zip" 2>/dev/null | sort)
[ "$listed" = "$expected" ] || fail "the zip lists"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"
unzip -p "$zip" "Vantrel-$version/Vantrel.exe" | cmp -s - "$exe" || fail "the zip's program is not the one built"

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
grep -q 'RT_GROUP_ICON' <<<"$resources" || fail "the program carries no icon"
# One image for each size Windows picks at the usual scales: 16 to 256 pixels.
icons=$(grep -c 'RT_ICON \*/' <<<"$resources")
[ "$icons" -eq 6 ] || fail "the icon holds $icons images, not the six sizes 16, 20, 24, 32, 48 and 256"
grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources" || fail "the program carries no version $version"

# Every imported function must be on the list of those checked to exist on
# Windows 7. A new one is added there only after checking that; anything
# newer is looked up at run time instead.
allowed="$src/tests/release/windows7-imports.txt"
imports=$(x86_64-w64-mingw32-objdump -p "$exe" |
          awk '/DLL Name:/ { dll = tolower($3); next }
               dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll "!" $3 }
               /^$/ { if (seen++) dll = "" }' | sort -u)
[ -n "$imports" ] || fail "no imports read from the program"
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$allowed" | sort -u))
[ -z "$unknown" ] || fail "imports not known to exist on Windows 7:"$'\n'"$unknown"

# The loader resolves the imports, and theirs in turn, before the program can
# restrict where libraries are looked for, and it looks beside the program
# first, except for the libraries on Windows' list of known ones, which it
# maps from the system folder together with their own imports: only those
# are imported. Everything else is loaded at run time.
known="advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll"
libraries=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
[ -n "$libraries" ] || fail "no imported libraries read from the program"
others=$(comm -23 <(echo "$libraries") <(tr ' ' '\n' <<<"$known" | sort))
[ -z "$others" ] || fail "imports libraries that are not the system's known ones:"$'\n'"$others"

if [ "$failures" -eq 0 ]; then
  echo "release: the zip, the program's resources and its $(wc -l <<<"$imports") imports are as they should be"
fi
exit $((failures > 0))
