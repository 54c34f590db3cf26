#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need,
# and only those that are missing.
set -euo pipefail
want=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev
      g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 xvfb xauth
      x11-apps imagemagick)
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
