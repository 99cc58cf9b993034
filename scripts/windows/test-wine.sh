#!/usr/bin/env bash
# Runs the Windows program under Wine: a few calls whose result is compared with the Linux
# build. Needs the Windows build (cmake --preset windows) and the Linux build (for sheet_dump
# and the reference note).
#
#   scripts/windows/test-wine.sh [windows build folder] [linux build folder]
#
# The Wine prefix lives in <windows build>/wineprefix and is made once; LS_WINEPREFIX names
# another one. Prints one line per check; exits non-zero when one fails.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
win_build="$(cd "${1:-$root/build-windows}" && pwd)"
linux_build="$(cd "${2:-$root/build}" && pwd)"
exe="$win_build/app/lieferschein.exe"
demo_exe="$win_build/demo/tools/lieferschein-demo.exe"
check_exe="$win_build/tests/windows/platform_check.exe"
linux_exe="$linux_build/app/lieferschein"
sheet_dump="$linux_build/tests/sheet_dump"

"$root/scripts/apt-install.sh" wine wine64
for f in "$exe" "$linux_exe" "$sheet_dump"; do
  [ -x "$f" ] || { echo "test-wine: $f is missing; build it first" >&2; exit 1; }
done

# A copied folder must run: the program may import Windows' own DLLs only.
foreign="$("$root/scripts/windows/foreign-dlls.sh" "$exe")"
if [ -n "$foreign" ]; then
  echo "test-wine: lieferschein.exe needs DLLs that Windows does not bring:" $foreign >&2
  exit 1
fi

export WINEPREFIX="${LS_WINEPREFIX:-$win_build/wineprefix}"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  start=$(date +%s)
  wineboot -i >/dev/null 2>&1
  wineserver -w
  echo "wine prefix made in $(($(date +%s) - start)) s: $WINEPREFIX"
fi

work="$win_build/wine-test"
rm -rf "$work"
# The user folder of the checks: umlauts and a blank, as in "C:\Users\Jürgen Förster".
home="$work/Jürgen Förster"
mkdir -p "$home/Vorlagen" "$home/Ausgabe" "$work/linux"

failures=0
pass() { echo "ok    $1"; }
fail() {
  echo "FAIL  $1" >&2
  failures=$((failures + 1))
}
# The Windows name of a file of this machine (Wine's drive Z: is the root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# Runs the Windows program: standard output (without carriage returns) in $out, standard
# error in $err, the exit code in $rc.
run_win() {
  rc=0
  wine "$exe" "$@" >"$work/stdout.txt" 2>"$work/stderr.txt" || rc=$?
  out="$(tr -d '\r' <"$work/stdout.txt")"
  err="$(tr -d '\r' <"$work/stderr.txt")"
}

# --- the platform layer's own checks
if [ -x "$check_exe" ]; then
  rc=0
  wine "$check_exe" >"$work/check.txt" 2>&1 || rc=$?
  if [ "$rc" -eq 0 ]; then pass "platform checks ($(grep -c '^ok' "$work/check.txt") passed)"; else
    tr -d '\r' <"$work/check.txt" >&2
    fail "platform checks (exit $rc)"
  fi
fi

# --- version and help
run_win --version
if [ "$rc" -eq 0 ] && [ "$out" = "$("$linux_exe" --version)" ]; then pass "--version: $out"; else
  fail "--version (exit $rc): $out $err"
fi
run_win --help
# On Windows the INI file lies beside the program only, and the SQL Server driver is
# Microsoft's newest installed one.
if [ "$rc" -eq 0 ] && grep -q '^Aufruf: lieferschein' <<<"$out" &&
  ! grep -q '/etc/lieferschein' <<<"$out" && grep -q 'Vorgabe der neueste installierte' <<<"$out"; then
  pass "--help"
else
  fail "--help (exit $rc)"
fi

# --- the demo database and the template, made by the Windows demo program when it is built
db="$home/demo.db"
template="$home/Vorlagen/Lieferschein_Standard.xltx"
if [ -x "$demo_exe" ]; then
  rc=0
  wine "$demo_exe" --database "$(winpath "$db")" --template "$(winpath "$template")" \
    >/dev/null 2>"$work/stderr.txt" || rc=$?
  if [ "$rc" -eq 0 ] && [ -s "$db" ] && [ -s "$template" ]; then pass "demo database made"; else
    fail "lieferschein-demo.exe (exit $rc): $(cat "$work/stderr.txt")"
  fi
else
  "$linux_build/demo/tools/lieferschein-demo" --database "$db" --template "$template" >/dev/null
fi
connection="Provider=SQLite;Data Source=$(winpath "$db")"

# --- a query against the demo database, as the Linux build answers it
sql="SELECT ID_HEADERRECH, VER_TYPE, R_NAME, KUNDE_ID FROM HEADERRECH ORDER BY ID_HEADERRECH"
run_win --query "$connection" "$sql"
expected="$("$linux_exe" --query "Provider=SQLite;Data Source=$db" "$sql" 2>&1 || true)"
if [ "$rc" -eq 0 ] && [ -n "$out" ] && [ "$out" = "$expected" ]; then pass "--query"; else
  fail "--query (exit $rc): $err"
  diff <(echo "$expected") <(echo "$out") >&2 || true
fi

# --- SILENT run of the demo invoice, INI in UTF-8 with BOM, result in the user's folder;
# the note must be the Linux build's cell for cell.
printf '\xef\xbb\xbf[Lieferschein]\r\nPathTemplates=%s\r\nPathOutput=%s\r\n' \
  "$(winpath "$home/Vorlagen")" "$(winpath "$home/Ausgabe")" >"$home/tannova.ini"
run_win "$connection|1001|R|$(winpath "$home/tannova.ini")|SILENT"
note="$home/Ausgabe/Lieferschein_R_1001.xlsx"
if [ "$rc" -eq 0 ] && [ -s "$note" ] && [ "$out" = "$(winpath "$note")" ]; then
  pass "SILENT run, INI in UTF-8 with BOM, folder \"Jürgen Förster\""
else
  fail "SILENT run (exit $rc): stdout \"$out\" stderr: $err"
fi
printf '[Lieferschein]\nPathTemplates=%s\nPathOutput=%s\n' "$home/Vorlagen" "$work/linux" \
  >"$work/linux/tannova.ini"
"$linux_exe" "Provider=SQLite;Data Source=$db|1001|R|$work/linux/tannova.ini|SILENT" \
  >/dev/null 2>&1
if [ -s "$note" ] && "$sheet_dump" "$note" >"$work/windows.dump" &&
  "$sheet_dump" "$work/linux/Lieferschein_R_1001.xlsx" >"$work/linux.dump" &&
  diff -u "$work/linux.dump" "$work/windows.dump" >"$work/dump.diff"; then
  pass "note equals the Linux build's, cell for cell ($(wc -l <"$work/windows.dump") lines)"
else
  head -n 40 "$work/dump.diff" >&2 2>/dev/null || true
  fail "note differs from the Linux build's"
fi

# --- an INI in Windows-1252 whose output folder has umlauts; the second run replaces the
# first note in place
mkdir -p "$home/Ausgabe/Förster"
printf '[Lieferschein]\r\nPathTemplates=%s\r\nPathOutput=%s\r\n' \
  "$(winpath "$home/Vorlagen")" "$(winpath "$home/Ausgabe/Förster")" |
  iconv -f UTF-8 -t WINDOWS-1252 >"$home/ansi.ini"
for round in 1 2; do
  run_win "$connection|1001|R|$(winpath "$home/ansi.ini")|SILENT"
done
ansi_note="$home/Ausgabe/Förster/Lieferschein_R_1001.xlsx"
if [ "$rc" -eq 0 ] && [ -s "$ansi_note" ] && cmp -s <("$sheet_dump" "$ansi_note") "$work/linux.dump" &&
  [ -z "$(find "$home/Ausgabe/Förster" -name '.lieferschein-*')" ]; then
  pass "INI in Windows-1252, umlauts in PathOutput, note replaced"
else
  fail "INI in Windows-1252 (exit $rc): $err"
fi

# --- installed by copying one folder: with no INI path in the call, the tannova.ini beside
# the program is the one
program_dir="$work/Programme/Lieferschein"
mkdir -p "$program_dir" "$home/Ausgabe/Kopie"
cp "$exe" "$program_dir/"
printf '[Lieferschein]\r\nPathTemplates=%s\r\nPathOutput=%s\r\n' \
  "$(winpath "$home/Vorlagen")" "$(winpath "$home/Ausgabe/Kopie")" >"$program_dir/tannova.ini"
rc=0
wine "$program_dir/lieferschein.exe" "$connection|1001|R||SILENT" >"$work/stdout.txt" \
  2>"$work/stderr.txt" || rc=$?
if [ "$rc" -eq 0 ] && cmp -s <("$sheet_dump" "$home/Ausgabe/Kopie/Lieferschein_R_1001.xlsx") \
  "$work/linux.dump"; then
  pass "INI beside the program of a copied folder"
else
  fail "INI beside the program (exit $rc): $(tr -d '\r' <"$work/stderr.txt")"
fi

# --- PRINT without LibreOffice: exit 4, and the saved note stays
rm -f "$note"
run_win "$connection|1001|R|$(winpath "$home/tannova.ini")|PRINT"
if [ "$rc" -eq 4 ] && [ -s "$note" ] && grep -q 'LibreOffice ist nicht installiert' <<<"$err"; then
  pass "PRINT without LibreOffice: exit 4, the note stays"
else
  fail "PRINT without LibreOffice (exit $rc): $err"
fi

# --- a bad call: exit 2 and the reason
run_win "$connection|1001|R|$(winpath "$home/tannova.ini")|LEISE"
if [ "$rc" -eq 2 ] && grep -q 'Unbekannter Modus "LEISE"' <<<"$err"; then pass "bad call: exit 2"; else
  fail "bad call (exit $rc): $err"
fi

if [ "$failures" -ne 0 ]; then
  echo "test-wine: $failures check(s) failed; files in $work" >&2
  exit 1
fi
echo "test-wine: all checks passed"
