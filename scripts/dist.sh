#!/usr/bin/env bash
# Stages what a user downloads: the program and its help text.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf dist
mkdir -p dist
cp build/windows/src/Vantrel.exe dist/
# The help window shows this file as it is: keep Windows line ends.
for f in readme.txt demo.ini; do sed 's/\r*$/\r/' "res/$f" > "dist/$f"; done
echo "dist/ holds: $(ls dist | tr '\n' ' ')"
