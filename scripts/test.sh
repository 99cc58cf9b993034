#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: once in the normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer. Then builds once more with Clang (the tests
# are compiled there too, not run again) and checks the Debian package.
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
