#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzer and `make run`
# need, and only those that are missing; and generates the German locale
# that the comma-decimal settings test runs under and the Russian one whose
# code page the Russian pack's test and pictures run in.
set -euo pipefail
want=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev
      g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 fonts-wine xvfb xauth
      x11-apps imagemagick clang libclang-rt-14-dev locales zip unzip)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "Generating the de_DE.UTF-8 locale"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "Generating the ru_RU.UTF-8 locale"
  $sudo localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
