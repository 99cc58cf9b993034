#!/bin/sh
# Writes the Windows release folder: lieferschein.exe, the default template, an example
# tannova.ini (Windows-1252, CRLF) and LIESMICH.txt (UTF-8 with BOM, CRLF), so that an
# office installs the program by copying the folder.
#
#   scripts/windows/dist.sh [TARGET]      default TARGET: dist/windows
#
# lieferschein.exe comes from build-windows/ (cmake --preset windows). The
# template is written by the native lieferschein-demo (cmake --preset default), built here
# when missing.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
target=${1:-"$root/dist/windows"}
windows_build=${LS_WINDOWS_BUILD:-"$root/build-windows"}
native_build=${LS_NATIVE_BUILD:-"$root/build"}

mkdir -p "$target/Vorlagen"

# Text files for Windows: CRLF line ends; the INI file in the code page the program and
# Notepad expect of it, LIESMICH.txt as UTF-8 with BOM, which every Windows editor reads.
crlf() { sed 's/\r$//; s/$/\r/' "$1"; }
crlf "$root/packaging/windows/tannova.ini" | iconv -f UTF-8 -t WINDOWS-1252 >"$target/tannova.ini"
{ printf '\357\273\277'; crlf "$root/packaging/windows/LIESMICH.txt"; } >"$target/LIESMICH.txt"

demo="$native_build/demo/tools/lieferschein-demo"
if [ ! -x "$demo" ]; then
    echo "dist.sh: lieferschein-demo fehlt, wird gebaut ($native_build)" >&2
    (cd "$root" && cmake --preset default >/dev/null &&
        cmake --build --preset default --target lieferschein-demo)
fi
"$demo" --template "$target/Vorlagen/Lieferschein_Standard.xltx" >/dev/null

exe="$windows_build/app/lieferschein.exe"
if [ ! -f "$exe" ]; then
    echo "dist.sh: $exe fehlt; zuerst cmake --preset windows && cmake --build --preset windows." >&2
    exit 1
fi
# A copied folder must run without MinGW's DLLs: only Windows' own may be imported.
if ! foreign=$("$root/scripts/windows/foreign-dlls.sh" "$exe"); then
    echo "dist.sh: $exe ist kein Windows-Programm." >&2
    exit 1
fi
if [ -n "$foreign" ]; then
    echo "dist.sh: lieferschein.exe braucht DLLs, die Windows nicht mitbringt:" $foreign >&2
    exit 1
fi
cp "$exe" "$target/lieferschein.exe"

echo "$target"
