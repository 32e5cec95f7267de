#!/usr/bin/env bash
# Pictures of every page template, the progress page and the three finish pages
# among them, as the installer's page procedure fills them with sample answers,
# taken in a Wine desktop on a private Xvfb display. (The wizard itself, run
# from the sample medium: scripts/run-wizard.sh --auto.)
#
#   scripts/screenshots.sh [pages] [OUT_DIR]      OUT_DIR defaults to /tmp/talvirex-shots
set -eu
[ "${1:-}" = pages ] && shift
root=$(cd "$(dirname "$0")/.." && pwd)
show_page="$root/build/x86_64/helpers/show_page.exe"
[ -f "$show_page" ] || { echo "missing $show_page: build with 'cmake --build --preset x86_64' first" >&2; exit 1; }
out=${1:-/tmp/talvirex-shots}
mkdir -p "$out"
work=$(mktemp -d /tmp/talvirex-shots.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LC_ALL=sk_SK.UTF-8
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
wine=$(command -v wine64 || command -v wine)

xvfb_pid=""
trap 'wineserver -k >/dev/null 2>&1; [ -z "$xvfb_pid" ] || kill "$xvfb_pid"; rm -rf "$work"' EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
"$wine" wineboot -i >/dev/null 2>&1

(cd "$out" && timeout 120 "$wine" explorer /desktop=shots,800x600 "$show_page")
for bmp in "$out"/page*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && echo "${bmp%.bmp}.png"
done
