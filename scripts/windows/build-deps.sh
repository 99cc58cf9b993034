#!/usr/bin/env bash
# Builds the libraries of the report core as static libraries for 64-bit Windows, from
# Debian's own source packages, with Debian's MinGW-w64. Idempotent: a library already in
# the cache is skipped; quiet on success (logs under <cache>/logs).
#
#   scripts/windows/build-deps.sh [cache folder]   (default: build-windows-deps/)
#
# The result is <cache>/prefix with include/, lib/ and lib/pkgconfig/, which
# cmake/mingw-w64-x86_64.cmake uses.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
cache="${1:-$root/build-windows-deps}"
mkdir -p "$cache"
cache="$(cd "$cache" && pwd)"
prefix="$cache/prefix"
src="$cache/src"
logs="$cache/logs"
mkdir -p "$prefix/lib/pkgconfig" "$prefix/include" "$src" "$logs"

host=x86_64-w64-mingw32
export CC="$host-gcc-posix" CXX="$host-g++-posix" AR="$host-gcc-ar-posix" RANLIB="$host-gcc-ranlib-posix"
jobs="${JOBS:-2}"

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# Runs a step with its output in a log; shows the log only when the step fails.
quiet() {
  local log="$logs/$1.log"
  shift
  if ! "$@" >>"$log" 2>&1; then
    echo "build-deps: failed: $* (log: $log)" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

# --- the cross compiler, zlib for the target, and tclsh and gcc (sqlite3 generates its
# amalgamation with host tools)
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  binutils-mingw-w64-x86-64 tcl gcc make cmake pkg-config dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  quiet apt "${sudo_cmd[@]}" apt-get update -q
  quiet apt env DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# --- source lists: a deb-src twin of each Debian entry the machine already uses. Written to
# a file of its own, so the machine's own lists stay as they are.
src_list=/etc/apt/sources.list.d/lieferschein-deb-src.sources
derive_deb_src() {
  local f
  # deb822 files: copy each stanza that fetches binaries from Debian, as a source stanza.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && [ "$f" != "$src_list" ] || continue
    awk -v RS= -v ORS='\n\n' '
      /(^|\n)Types:[^\n]*deb([ \n]|$)/ && /debian\.org/ && !/(^|\n)Enabled: *no/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
      }' "$f"
  done
  # one-line lists: "deb ..." becomes "deb-src ...", written as one-line entries in deb822.
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    awk '$1 == "deb" && /debian\.org/ {
      opts = ""; i = 2
      if ($2 ~ /^\[/) { while ($i !~ /\]$/) { opts = opts " " $i; i++ } opts = opts " " $i; i++ }
      comps = ""; for (j = i + 2; j <= NF; j++) comps = comps " " $j
      gsub(/^ \[|\]$/, "", opts)
      print "Types: deb-src"; print "URIs: " $i; print "Suites: " $(i + 1)
      print "Components:" comps
      n = split(opts, o, " ")
      for (k = 1; k <= n; k++) if (o[k] ~ /^signed-by=/) print "Signed-By: " substr(o[k], 11)
      print ""
    }' "$f"
  done
}
wanted="$(derive_deb_src)"
if [ -z "$wanted" ]; then
  echo "build-deps: no Debian entry in the apt sources to derive source entries from" >&2
  exit 1
fi
if ! [ -f "$src_list" ] || [ "$(cat "$src_list")" != "$wanted" ]; then
  printf '%s\n' "$wanted" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  quiet apt "${sudo_cmd[@]}" apt-get update -q
elif ! compgen -G '/var/lib/apt/lists/*_Sources' >/dev/null; then
  quiet apt "${sudo_cmd[@]}" apt-get update -q
fi

# Fetches (once) the Debian source package $1 into $src; prints its unpacked folder.
fetch() {
  local pkg="$1" dir
  dir="$(find "$src" -mindepth 1 -maxdepth 1 -type d -name "$pkg-*" | head -n 1)"
  if [ -z "$dir" ]; then
    (cd "$src" && quiet "fetch-$pkg" apt-get source -q --download-only "$pkg")
    (cd "$src" && quiet "fetch-$pkg" dpkg-source -x "$(ls "$pkg"_*.dsc | head -n 1)")
    dir="$(find "$src" -mindepth 1 -maxdepth 1 -type d -name "$pkg-*" | head -n 1)"
  fi
  printf '%s\n' "$dir"
}

# A library counts as built when its stamp exists; the stamp names the Debian version.
built() { [ -f "$cache/stamps/$1" ]; }
stamp() { mkdir -p "$cache/stamps"; basename "$2" >"$cache/stamps/$1"; }

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
cmake_static() {
  local name="$1" dir="$2"
  shift 2
  rm -rf "$cache/build/$name" "$logs/$name.log"
  quiet "$name" cmake -S "$dir" -B "$cache/build/$name" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DLS_WINDOWS_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@"
  quiet "$name" cmake --build "$cache/build/$name" -j "$jobs"
  quiet "$name" cmake --install "$cache/build/$name"
}

# --- sqlite3: its build system does not cross-compile cleanly (generators are built for the
# target), so the amalgamation is generated by a host build and compiled for the target alone.
if ! built sqlite3; then
  dir="$(fetch sqlite3)"
  rm -rf "$cache/build/sqlite3" "$logs/sqlite3.log" && mkdir -p "$cache/build/sqlite3"
  sqlite_flags=(-O2 -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_MATH_FUNCTIONS
    -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_OMIT_LOAD_EXTENSION)
  (cd "$cache/build/sqlite3" &&
    quiet sqlite3 env CC=gcc AR=ar RANLIB=ranlib "$dir/configure" --disable-tcl --disable-readline --disable-editline &&
    quiet sqlite3 make sqlite3.c &&
    quiet sqlite3 "$CC" "${sqlite_flags[@]}" -c sqlite3.c -o sqlite3.o &&
    quiet sqlite3 "$AR" rcs libsqlite3.a sqlite3.o &&
    quiet sqlite3 install -m 644 libsqlite3.a "$prefix/lib/" &&
    quiet sqlite3 install -m 644 sqlite3.h "$dir/src/sqlite3ext.h" "$prefix/include/")
  version="$(sed -n 's/^#define SQLITE_VERSION  *"\(.*\)"/\1/p' "$cache/build/sqlite3/sqlite3.h")"
  cat >"$prefix/lib/pkgconfig/sqlite3.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SQLite
Description: SQL database engine
Version: $version
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
PC
  stamp sqlite3 "$dir"
fi

# --- libdeflate
if ! built libdeflate; then
  dir="$(fetch libdeflate)"
  if [ -f "$dir/CMakeLists.txt" ]; then
    cmake_static libdeflate "$dir" -DLIBDEFLATE_BUILD_SHARED_LIB=OFF \
      -DLIBDEFLATE_BUILD_GZIP=OFF -DLIBDEFLATE_BUILD_TESTS=OFF
  else
    # Its Makefile names the static library of a Windows target libdeflatestatic.lib.
    rm -rf "$cache/build/libdeflate" "$logs/libdeflate.log" && cp -a "$dir" "$cache/build/libdeflate"
    (cd "$cache/build/libdeflate" &&
      quiet libdeflate make -j "$jobs" CC="$CC" AR="$AR" libdeflatestatic.lib &&
      quiet libdeflate install -m 644 libdeflatestatic.lib "$prefix/lib/libdeflate.a" &&
      quiet libdeflate install -m 644 libdeflate.h "$prefix/include/")
    version="$(sed -n 's/^#define LIBDEFLATE_VERSION_STRING[^"]*"\(.*\)"/\1/p' "$dir/libdeflate.h")"
    cat >"$prefix/lib/pkgconfig/libdeflate.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: libdeflate
Description: Fast implementation of DEFLATE, zlib, and gzip
Version: $version
Libs: -L\${libdir} -ldeflate
Cflags: -I\${includedir}
PC
  fi
  stamp libdeflate "$dir"
fi

# --- pugixml
if ! built pugixml; then
  dir="$(fetch pugixml)"
  cmake_static pugixml "$dir" -DPUGIXML_BUILD_TESTS=OFF
  stamp pugixml "$dir"
fi

# --- libzip: only deflate (zlib from Debian's MinGW package); no encryption, tools or docs.
if ! built libzip; then
  dir="$(fetch libzip)"
  cmake_static libzip "$dir" -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_OSSFUZZ=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
  stamp libzip "$dir"
fi

# --- the cache must link statically into a program that needs no DLL but Windows' own.
check="$cache/build/link-check"
if ! [ -f "$check/ok" ] || [ "$check/ok" -ot "$root/scripts/windows/deps_link_check.cpp" ]; then
  rm -rf "$check" "$logs/link-check.log" && mkdir -p "$check"
  export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=
  read -r -a flags <<<"$(pkg-config --static --cflags --libs sqlite3 libzip pugixml libdeflate)"
  quiet link-check "$CXX" -std=c++20 -O1 "$root/scripts/windows/deps_link_check.cpp" \
    -o "$check/check.exe" "${flags[@]}" -lz -static -static-libgcc -static-libstdc++
  # Windows' own libraries only; a MinGW runtime DLL here would have to ship beside the program.
  foreign="$("$host-objdump" -p "$check/check.exe" | sed -n 's/^\tDLL Name: //p' |
    grep -viE '^(kernel32|msvcrt|advapi32|user32|ws2_32|bcrypt|ucrtbase|api-ms-win-.*)\.dll$' || true)"
  if [ -n "$foreign" ]; then
    echo "build-deps: the linked program needs DLLs that Windows does not bring: $foreign" >&2
    exit 1
  fi
  touch "$check/ok"
fi
