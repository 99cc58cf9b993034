#!/bin/bash
# The ODBC path of the Windows build under Wine: tests/windows/odbc_wine_check.exe against
# a real SQLite ODBC driver, through Wine's driver manager.
#
#   scripts/windows/test-odbc-wine.sh
#
# Needs the windows preset configured (cmake --preset windows) and the libraries of
# build-deps.sh. Exit 0 when every check holds.
#
# Two drivers are tried:
#  1. the Windows driver sqlite3odbc.dll (built by build-sqliteodbc.sh from Debian's
#     sqliteodbc), registered in a private Wine prefix under
#     HKLM\Software\ODBC\ODBCINST.INI. Wine 9 and later load Windows drivers; Wine 8
#     (Debian 12) hands every ODBC call to the host's unixODBC, which does not know it.
#  2. the host's SQLite driver (libsqliteodbc) through Wine 8's bridge to unixODBC, with a
#     private odbcinst.ini: first alone (the German message naming the SQL Server drivers
#     looked for), then also registered as "ODBC Driver 17 for SQL Server", so that the
#     SQLOLEDB form of the INI file is followed to a real connection.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${LS_WINDOWS_BUILD:-$root/build-windows}"
deps="${LS_WINDOWS_DEPS:-$root/build-windows-deps/prefix}"
host_driver="${LS_HOST_SQLITEODBC:-/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so}"

# Wine and the host's SQLite ODBC driver (installed only when missing).
"$root/scripts/apt-install.sh" wine wine64 libsqliteodbc >/dev/null

# LS_ODBC_WINE_CHECK names an odbc_wine_check.exe built elsewhere.
check_exe="${LS_ODBC_WINE_CHECK:-}"
if [ -z "$check_exe" ]; then
  echo "== building odbc_wine_check.exe"
  if ! cmake --build "$build" --target odbc_wine_check >"$build/odbc_wine_check.log" 2>&1; then
    tail -n 30 "$build/odbc_wine_check.log" >&2
    echo "test-odbc-wine: odbc_wine_check.exe does not build (log: $build/odbc_wine_check.log)" >&2
    exit 1
  fi
  check_exe="$(find "$build" -name odbc_wine_check.exe | head -n 1)"
fi
check_exe="$(realpath "$check_exe")"

work="$(mktemp -d "${TMPDIR:-/tmp}/lieferschein-odbc-wine.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
mkdir -p "$work/run"
cd "$work/run"
failed=0

echo "== Windows driver sqlite3odbc.dll ($(wine --version))"
dll="$deps/../sqliteodbc/sqlite3odbc.dll"  # from build-deps.sh with LS_WINDOWS_SQLITEODBC=1
if [ ! -f "$dll" ]; then
  dll="$("$root/scripts/windows/build-sqliteodbc.sh" "$deps" "$build/sqliteodbc" | tail -n 1)"
fi
system32="$WINEPREFIX/drive_c/windows/system32"
cp "$dll" "$system32/sqlite3odbc.dll"
key='HKLM\Software\ODBC\ODBCINST.INI'
wine reg add "$key\\SQLite3 ODBC Driver" /v Driver /d 'C:\windows\system32\sqlite3odbc.dll' /f >/dev/null 2>&1
wine reg add "$key\\SQLite3 ODBC Driver" /v Setup /d 'C:\windows\system32\sqlite3odbc.dll' /f >/dev/null 2>&1
wine reg add "$key\\ODBC Drivers" /v 'SQLite3 ODBC Driver' /d Installed /f >/dev/null 2>&1
set +e
out="$(wine "$check_exe" 'SQLite3 ODBC Driver' - 2>&1)"
rc=$?
set -e
printf '%s\n' "$out"
if grep -q 'unixODBC' <<<"$out"; then
  echo "-- this Wine hands ODBC to the host's unixODBC and cannot load Windows drivers;" \
    "the Windows driver is checked with Wine 9 or later"
elif [ $rc -ne 0 ]; then
  failed=1
fi

echo "== host SQLite driver through Wine's bridge to unixODBC"
if [ ! -f "$host_driver" ]; then
  echo "test-odbc-wine: $host_driver missing (apt-get install libsqliteodbc)" >&2
  exit 1
fi
export ODBCSYSINI="$work/odbcinst"
mkdir -p "$ODBCSYSINI"
printf '[SQLite3]\nDriver=%s\n' "$host_driver" >"$ODBCSYSINI/odbcinst.ini"
wine "$check_exe" SQLite3 - "$work/run/odbc check/forst.db" || failed=1
printf '\n[ODBC Driver 17 for SQL Server]\nDriver=%s\n' "$host_driver" >>"$ODBCSYSINI/odbcinst.ini"
wine "$check_exe" SQLite3 'ODBC Driver 17 for SQL Server' "$work/run/odbc check/forst.db" ||
  failed=1

if [ $failed -ne 0 ]; then
  echo "test-odbc-wine: FAILED" >&2
  exit 1
fi
echo "test-odbc-wine: ok"
