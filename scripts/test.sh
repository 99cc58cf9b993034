#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: once in the normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer. Then builds once more with Clang (the tests
# are compiled there too, not run again) and checks the Debian package. Last, the Windows
# program: its libraries (cached in build-windows-deps), the cross build and its checks under
# Wine against the Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in default sanitize; do
  echo "== $preset"
  scripts/build.sh "$preset"
  ctest --preset "$preset"
done
echo "== clang"
scripts/build.sh clang
echo "== package"
scripts/package-check.sh
echo "== windows"
start=$(date +%s)
scripts/windows/build-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
scripts/windows/dist.sh
scripts/windows/test-wine.sh build-windows build
scripts/windows/test-odbc-wine.sh
# The window under Wine on a virtual display, OK pressed with Enter; the pictures stay in
# build-windows/artifacts.
WINEPREFIX="$PWD/build-windows/wineprefix" scripts/windows/screenshot-wine.sh --ok
echo "windows: $(($(date +%s) - start)) s"
