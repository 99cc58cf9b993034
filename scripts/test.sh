#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: once in the normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in default sanitize; do
  echo "== $preset"
  scripts/build.sh "$preset"
  ctest --preset "$preset"
done
