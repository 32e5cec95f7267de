#!/usr/bin/env bash
# The pictures of the README (540x350, docs/screenshots): every page template,
# the progress page and the three finish pages among them, as the installer's
# page procedure fills them with sample answers, taken in a Wine desktop on a
# private Xvfb display. (The wizard itself, run from the sample medium:
# scripts/run-wizard.sh --auto.)
#
# --dpi N draws them at N dots per inch (96 is 100 %, 144 is 150 %), on a
# display and a desktop as much larger.
#
#   scripts/screenshots.sh [--dpi N] [OUT_DIR]      OUT_DIR defaults to /tmp/talvirex-shots
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=96
if [ "${1:-}" = "--dpi" ]; then
    dpi=$2
    shift 2
fi
out=$(mkdir -p "${1:-/tmp/talvirex-shots}" && cd "${1:-/tmp/talvirex-shots}" && pwd)
cd "$root"
scripts/setup.sh
cmake --preset x86_64 -DTALVIREX_TESTS=ON >/dev/null
cmake --build --preset x86_64 --target show_page

build=$root/build/x86_64
export TALVIREX_SESSION=shots
export TALVIREX_SCREEN=$((1024 * dpi / 96))x$((768 * dpi / 96))x24
tests/support/wine-session.sh start "$build" >/dev/null
trap 'tests/support/wine-session.sh stop "$build" >/dev/null' EXIT
. tests/support/wine-env.sh "$build"
# The density of the programs started from now on in this session's prefix.
"$wine_cmd" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1

(cd "$out" && timeout 120 "$wine_cmd" explorer /desktop=shots,$((800 * dpi / 96))x$((600 * dpi / 96)) \
    "$build/tools/show_page.exe")
for bmp in "$out"/page*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && echo "${bmp%.bmp}.png"
done
