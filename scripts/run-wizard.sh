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
# The robot is built with the tests, whatever the build tree was configured with before.
cmake --preset x86_64 -DTALVIREX_TESTS=ON >/dev/null
cmake --build --preset x86_64 --target talvirex sample_medium autopilot

build=$PWD/build/x86_64
export TALVIREX_SESSION=demo
[ "$auto" = 1 ] || export TALVIREX_DISPLAY="$DISPLAY"
tests/support/wine-session.sh start "$build" >/dev/null
trap 'tests/support/wine-session.sh stop "$build" >/dev/null' EXIT
. tests/support/wine-env.sh "$build"
# On a desktop of your own the window manager frames the pages.
[ "$auto" = 1 ] || "$wine_cmd" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true

medium=$(winepath -w "$build/medium/TALVIREX.EXE" 2>/dev/null)
if [ "$auto" = 1 ]; then
    shots="$build/shots"
    rm -rf "$shots"; mkdir -p "$shots"
    echo "No display to click on: a robot walks the wizard with its defaults."
    timeout 300 "$wine_cmd" explorer /desktop=talvirex,800x600 "$build/tools/autopilot.exe" \
        "$medium" "$(winepath -w "$shots")"
    for bmp in "$shots"/*.bmp; do
        [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
    echo "Pictures of the pages: $shots"
else
    "$wine_cmd" "$build/medium/TALVIREX.EXE"
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
