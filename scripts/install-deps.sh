#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need. Idempotent: packages
# already present are left alone; runs apt-get only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config clang-format
  googletest libgtest-dev libgmock-dev
  libzip-dev zlib1g-dev libdeflate-dev libpugixml-dev libsqlite3-dev sqlite3
  unixodbc-dev tdsodbc libsqliteodbc
  qt6-base-dev libgl-dev
  libxlsxwriter-dev
  libreoffice-calc-nogui cups-client poppler-utils
  xvfb xauth xdotool x11-apps netpbm
  python3-lxml libxml2-utils
  dpkg-dev file lintian man-db
)

exec "$(dirname "$0")/apt-install.sh" "${packages[@]}"
