#!/bin/bash
# Builds the SQLite ODBC driver for Windows (sqlite3odbc.dll) from Debian's source package
# sqliteodbc, with the cross-built static sqlite3, for the ODBC test under Wine. Not part
# of the program or its release folder.
#
#   scripts/windows/build-sqliteodbc.sh <deps prefix> <output folder>
#
# Idempotent: an existing <output folder>/sqlite3odbc.dll is kept. The Debian package's own
# MinGW makefiles build sqlite from its bundled copy and an old msvcrt; only the driver's
# source is used here, compiled against the prefix's sqlite3.
set -euo pipefail

prefix="$(realpath "$1")"
out="$(mkdir -p "$2" && realpath "$2")"
host=x86_64-w64-mingw32
[ -f "$out/sqlite3odbc.dll" ] && { echo "$out/sqlite3odbc.dll"; exit 0; }

work="$out/src"
log="$out/build.log"
mkdir -p "$work"
: >"$log"
run() {
  if ! "$@" >>"$log" 2>&1; then
    echo "build-sqliteodbc: failed: $* (log: $log)" >&2
    tail -n 30 "$log" >&2
    exit 1
  fi
}

dir="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'sqliteodbc-*' | head -n 1)"
if [ -z "$dir" ]; then
  (cd "$work" && run apt-get source -q --download-only sqliteodbc)
  (cd "$work" && run dpkg-source -x "$(ls sqliteodbc_*.dsc | head -n 1)")
  dir="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'sqliteodbc-*' | head -n 1)"
fi

version="$(cat "$dir/VERSION")"
# The version resource's header, as the package's makefiles write it.
sed -e "s/--VERS_C--/$(echo "$version" | sed 's/\([0-9]*\)[.]\([0-9]*\).*/\1,\2/')/g" \
  -e "s/--VERS--/$version/g" "$dir/resource.h.in" >"$dir/resource3.h"

flags=(-O2 -DNDEBUG=1 "-DDRIVER_VER_INFO=\"$version\"" -DWITHOUT_SHELL=1
  -I"$dir" -I"$prefix/include"
  -DHAVE_LONG_LONG=1 -DHAVE_SQLROWOFFSET=1 -DHAVE_SQLLEN=1 -DHAVE_SQLULEN=1
  -DHAVE_SQLROWCOUNT=1 -DHAVE_SQLSETPOSIROW=1 -DPTRDIFF_T=ptrdiff_t
  -DHAVE_SQLITE3COLUMNTABLENAME=1 -DHAVE_SQLITE3COLUMNDATABASENAME=1
  -DHAVE_SQLITE3COLUMNORIGINNAME=1 -DHAVE_SQLITE3PREPAREV2=1 -DHAVE_SQLITE3VFS=1
  -DHAVE_SQLITE3PROFILE=1 -DHAVE_SQLITE3CLOSEV2=1 -DHAVE_SQLITE3STRNICMP=1
  -DHAVE_SQLITE3TABLECOLUMNMETADATA=1)
run "$host-gcc-posix" "${flags[@]}" -c "$dir/sqlite3odbc.c" -o "$work/sqlite3odbc.o"
run "$host-windres" -I"$dir" -I"$prefix/include" -o "$work/sqlite3odbcres.o" "$dir/sqlite3odbc.rc"
run "$host-gcc-posix" -shared -Wl,--kill-at -static-libgcc -o "$out/sqlite3odbc.dll" \
  "$work/sqlite3odbc.o" "$work/sqlite3odbcres.o" "$dir/sqlite3odbc.def" \
  "$prefix/lib/libsqlite3.a" -lodbc32 -lodbccp32 -lgdi32 -lcomdlg32 -ladvapi32 -lshell32 \
  -luser32 -lkernel32
echo "$out/sqlite3odbc.dll"
