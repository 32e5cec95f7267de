#!/usr/bin/env bash
# The main job: builds TALVIREX and runs its wizard on the sample medium under
# Wine. With a display (DISPLAY set) the wizard is yours to click through;
# without one (or with --auto) it runs on a private Xvfb display and a robot
# presses Next on every page, saving a picture of each in build/x86_64/shots.
set -eu
cd "$(dirname "$0")/.."
auto=0
[ "${1:-}" = "--auto" ] && auto=1
[ -z "${DISPLAY:-}" ] && auto=1

scripts/setup.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 --target talvirex sample_medium autopilot

build=$PWD/build/x86_64
export WINEPREFIX="$build/demo-prefix"
export WINEDEBUG=-all
export LC_ALL=sk_SK.UTF-8
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
wine=$(command -v wine64 || command -v wine)
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i >/dev/null 2>&1

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

medium=$(winepath -w "$build/medium/TALVIREX.EXE" 2>/dev/null)
if [ "$auto" = 1 ]; then
    exec 3>"$build/demo-display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 1 100); do [ -s "$build/demo-display" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$build/demo-display")"
    shots="$build/shots"
    rm -rf "$shots"; mkdir -p "$shots"
    echo "No display to click on: a robot walks the wizard with its defaults."
    timeout 300 "$wine" explorer /desktop=talvirex,800x600 "$build/tools/autopilot.exe" \
        "$medium" "$(winepath -w "$shots")"
    for bmp in "$shots"/*.bmp; do
        [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
    echo "Pictures of the pages: $shots"
else
    "$wine" "$build/medium/TALVIREX.EXE"
fi

ini="$WINEPREFIX/drive_c/windows/VZORKA.INI"
if [ -f "$ini" ] && grep -q '^PATH=' "$ini"; then
    path=$(grep '^PATH=' "$ini" | head -n1 | cut -d= -f2- | tr -d '\r')
    echo "The publication is installed; it is used from $path"
    echo "  (on this machine: $(winepath -u "$path" 2>/dev/null))"
    echo "The viewer starts with: WINEPREFIX=$WINEPREFIX wine \"${path}VZORKA.EXE\""
else
    echo "The publication was not installed."
fi
