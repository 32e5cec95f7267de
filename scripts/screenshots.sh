#!/usr/bin/env bash
# The pictures of the README (540x350, docs/screenshots): every page template,
# the progress page and the three finish pages among them, as the installer's
# page procedure fills them with sample answers, taken in a Wine desktop on a
# private Xvfb display. (The wizard itself, run from the sample medium:
# scripts/run-wizard.sh --auto.)
#
#   scripts/screenshots.sh [OUT_DIR]      OUT_DIR defaults to /tmp/talvirex-shots
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-/tmp/talvirex-shots}" && cd "${1:-/tmp/talvirex-shots}" && pwd)
cd "$root"
scripts/setup.sh
cmake --preset x86_64 -DTALVIREX_TESTS=ON >/dev/null
cmake --build --preset x86_64 --target show_page

build=$root/build/x86_64
export TALVIREX_SESSION=shots
tests/support/wine-session.sh start "$build" >/dev/null
trap 'tests/support/wine-session.sh stop "$build" >/dev/null' EXIT
. tests/support/wine-env.sh "$build"

(cd "$out" && timeout 120 "$wine_cmd" explorer /desktop=shots,800x600 "$build/tools/show_page.exe")
for bmp in "$out"/page*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && echo "${bmp%.bmp}.png"
done
