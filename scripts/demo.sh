#!/usr/bin/env bash
# The main job on the embedded demo database: installs what is needed, builds, writes the
# demo database, the default template and an INI file into out/demo, and writes the delivery
# note of invoice R 1001 to out/Lieferschein_R_1001.xlsx (and its PDF beside it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

demo=out/demo
mkdir -p "$demo/vorlagen"
build/demo/tools/lieferschein-demo --database "$demo/demo.db" \
  --template "$demo/vorlagen/Lieferschein_Standard.xltx"
cat > "$demo/tannova.ini" <<INI
[Lieferschein]
PathTemplates=$PWD/$demo/vorlagen
PathOutput=$PWD/out
INI

build/app/lieferschein "Provider=SQLite;Data Source=$demo/demo.db|1001|R|$demo/tannova.ini|SILENT" --pdf
echo "Lieferschein: $PWD/out/Lieferschein_R_1001.xlsx"
