#!/usr/bin/env bash
# Builds the Debian package from the default build, checks it with lintian, installs it, runs
# the installed program as an administrator would (version, manual page, the demo invoice
# from the installed template and the INI file under /etc, PDF and printing without
# LibreOffice), and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

cmake --build --preset default --target package
deb=$(ls -t build/lieferschein_*.deb | head -n1)
echo "Paket: $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

# Errors fail the check; warnings are shown.
lintian --fail-on error "$deb"

work=$(mktemp -d)
cleanup() {
  "${sudo_cmd[@]}" dpkg --purge lieferschein >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# Container images often leave manual pages out; this package's page is part of the check.
"${sudo_cmd[@]}" dpkg -i --path-include='/usr/share/man/man1/lieferschein*' "$deb"

lieferschein --version
man -w lieferschein
man -l "$(man -w lieferschein)" >/dev/null

# The demo invoice with nothing but the installed files: an empty INI field finds the INI
# file under /etc (no user INI here), which names the installed template folder.
/usr/bin/lieferschein-demo --database "$work/demo.db"
mkdir -p "$work/config" "$work/out"
(
  cd "$work/out"
  XDG_CONFIG_HOME="$work/config" lieferschein "Provider=SQLite;Data Source=$work/demo.db|1001|R||SILENT"
)
test -s "$work/out/Lieferschein_R_1001.xlsx"
echo "SILENT mit /etc/lieferschein/tannova.ini: $work/out/Lieferschein_R_1001.xlsx"

# Installed without LibreOffice and lp: SILENT still works, PDF and printing say what is
# missing. A PATH with nothing else on it stands in for the missing packages.
mkdir -p "$work/bin"
ln -s /usr/bin/lieferschein "$work/bin/lieferschein"
run_bare() {
  (cd "$work/out" && XDG_CONFIG_HOME="$work/config" PATH="$work/bin" lieferschein "$@")
}
rm -f "$work/out"/*
run_bare "Provider=SQLite;Data Source=$work/demo.db|1001|R||SILENT"
test -s "$work/out/Lieferschein_R_1001.xlsx"
status=0
run_bare "Provider=SQLite;Data Source=$work/demo.db|1001|R||SILENT" --pdf 2>"$work/pdf.err" || status=$?
grep -q "LibreOffice" "$work/pdf.err" || { cat "$work/pdf.err"; echo "PDF ohne LibreOffice: keine Meldung"; exit 1; }
status=0
run_bare "Provider=SQLite;Data Source=$work/demo.db|1001|R||PRINT" 2>"$work/print.err" || status=$?
test "$status" -ne 0 || { echo "PRINT ohne LibreOffice meldet Erfolg"; exit 1; }
grep -q "LibreOffice" "$work/print.err" || { cat "$work/print.err"; echo "PRINT ohne LibreOffice: keine Meldung"; exit 1; }
echo "Ohne LibreOffice (Status $status): $(grep -m1 LibreOffice "$work/print.err")"

# Purged, so that the example INI file under /etc goes too.
"${sudo_cmd[@]}" dpkg --purge lieferschein
for f in /usr/bin/lieferschein /etc/lieferschein/tannova.ini; do
  if [ -e "$f" ]; then echo "$f nach dem Entfernen noch da"; exit 1; fi
done
echo "Paketprüfung bestanden."
