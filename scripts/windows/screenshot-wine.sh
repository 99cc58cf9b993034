#!/usr/bin/env bash
# The Windows program's main window under Wine on a virtual X server: a picture of the window
# as it opens for the demo invoice R 1001, and with --ok also OK pressed with the keyboard
# (Enter), the saved delivery note checked and a second picture after the run; Escape then
# closes the window.
#
#   scripts/windows/screenshot-wine.sh [--ok] [EXE] [OUTDIR]
#
# EXE defaults to build-windows/app/lieferschein.exe, OUTDIR to build-windows/artifacts. The
# demo database and template come from the native build (build/demo/tools/lieferschein-demo).
# WINEPREFIX defaults to build-windows/wine-prefix, made on first use.
set -euo pipefail
cd "$(dirname "$0")/../.."

press_ok=0
if [[ ${1:-} == --ok ]]; then
  press_ok=1
  shift
fi
exe=$(realpath "${1:-build-windows/app/lieferschein.exe}")
out=$(realpath -m "${2:-build-windows/artifacts}")
demo_tool=build/demo/tools/lieferschein-demo

for tool in wine winepath Xvfb xdotool xwd xwdtopnm pnmtopng; do
  command -v "$tool" >/dev/null || { echo "screenshot-wine: $tool fehlt (scripts/install-deps.sh)" >&2; exit 2; }
done
[[ -f $exe ]] || { echo "screenshot-wine: $exe fehlt" >&2; exit 2; }
[[ -x $demo_tool ]] || { echo "screenshot-wine: $demo_tool fehlt (cmake --build --preset default)" >&2; exit 2; }

export WINEPREFIX=${WINEPREFIX:-$PWD/build-windows/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No downloads of Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=
for n in $(seq 90 120); do
  if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then display=:$n; break; fi
done
[[ -n $display ]] || { echo "screenshot-wine: kein freier X-Bildschirm" >&2; exit 2; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# A Wine server of this prefix left from a run without this display (the Wine checks) would
# keep its desktop there, and no window could be made on ours.
wineserver -k 2>/dev/null || true
if [[ ! -d $WINEPREFIX ]]; then
  echo "screenshot-wine: Wine-Umgebung wird angelegt ($WINEPREFIX)" >&2
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# Without a window manager Wine draws the frame and caption itself, so they are pictured too.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1

mkdir -p "$out" "$work/vorlagen" "$work/ausgabe"
"$demo_tool" --database "$work/demo.db" --template "$work/vorlagen/Lieferschein_Standard.xltx" >/dev/null
win() { winepath -w "$1" 2>/dev/null; }
printf '[Lieferschein]\r\nPathTemplates=%s\r\nPathOutput=%s\r\n' \
  "$(win "$work/vorlagen")" "$(win "$work/ausgabe")" > "$work/tannova.ini"
job="Provider=SQLite;Data Source=$(win "$work/demo.db")|1001|R|$(win "$work/tannova.ini")|"

wine "$exe" "$job" >"$out/wine-stdout.txt" 2>"$out/wine-stderr.txt" &
program_pid=$!

window=
for _ in $(seq 600); do
  window=$(xdotool search --name '^TNV32-Lieferschein' 2>/dev/null | head -n1 || true)
  [[ -n $window ]] && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.2
done
if [[ -z $window ]]; then
  echo "screenshot-wine: das Fenster erschien nicht; siehe $out/wine-stderr.txt" >&2
  exit 1
fi
sleep 2  # the start-up reads the template and fills the job line

shot() { xwd -id "$window" -silent | xwdtopnm 2>/dev/null | pnmtopng > "$out/$1"; }
shot main-window.png
echo "Bild: $out/main-window.png"
[[ $press_ok == 1 ]] || exit 0

result=$work/ausgabe/Lieferschein_R_1001.xlsx
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key Return
for _ in $(seq 600); do
  [[ -s $result ]] && break
  sleep 0.2
done
sleep 1
shot after-ok.png
echo "Bild: $out/after-ok.png"
if [[ ! -s $result ]]; then
  echo "screenshot-wine: nach Enter wurde kein Lieferschein gespeichert" >&2
  exit 1
fi
cp "$result" "$out/"
echo "Gespeichert: $out/$(basename "$result")"

# Escape closes the idle window, and with it the program.
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "screenshot-wine: Escape hat das Fenster nicht geschlossen" >&2
  exit 1
fi
wait "$program_pid" || true
program_pid=
echo "Escape schloss das Fenster."
