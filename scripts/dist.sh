#!/usr/bin/env bash
# Stages what a user downloads: the portable folder (the program, its help
# text, the language packs and a demo profile) in dist/, and the same folder
# as one zip, dist/Vantrel-<version>-win64.zip. DIST names another folder
# (the release test stages into a folder of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${DIST:-dist}"
version=$(sed -n 's/^#define VANTREL_VERSION_TEXT "\(.*\)"/\1/p' res/resource.h)
rm -rf "$out"
mkdir -p "$out"
cp build/windows/src/Vantrel.exe "$out/"
# The help window shows this file as it is: keep Windows line ends.
for f in readme.txt demo.ini; do sed 's/\r*$/\r/' "res/$f" > "$out/$f"; done
# Byte for byte: a pack is in its own code page (Russian.lng in Windows-1251).
for pack in lang/*.lng; do [ -e "$pack" ] && cp "$pack" "$out/"; done

# The zip holds one folder, so that unzipping anywhere gives a folder to run
# the program from. Fixed times and no extra attributes: the same files make
# the same zip.
name="Vantrel-$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$out"/* "$stage/$name/"
touch -d '2026-01-01 00:00:00 UTC' "$stage/$name" "$stage/$name"/*
(cd "$stage" && zip -q -X -r "$name-win64.zip" "$name")
mv "$stage/$name-win64.zip" "$out/"
echo "$out/ holds: $(ls "$out" | tr '\n' ' ')"
