#!/usr/bin/env bash
# Stages what a user downloads: the program, its help text and the Russian
# language pack.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf dist
mkdir -p dist
cp build/windows/src/Vantrel.exe dist/
# The help window shows this file as it is: keep Windows line ends.
for f in readme.txt demo.ini; do sed 's/\r*$/\r/' "res/$f" > "dist/$f"; done
# Byte for byte: the pack is in Windows-1251, as its FontCharset says.
cp lang/Russian.lng dist/
echo "dist/ holds: $(ls dist | tr '\n' ' ')"
