#!/usr/bin/env bash
# Checks a publication's medium before it goes to the press: builds the checker
# and runs TALVICHK.EXE on DIRECTORY under Wine.
#   scripts/check-medium.sh [--json] [DIRECTORY]   (default: the sample medium)
# The exit code is the checker's: 0 clean, 1 warnings only, 2 errors.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
json=()
if [ "${1:-}" = "--json" ]; then
    json=(--json)
    shift
fi
build=$root/build/x86_64
medium=$(cd "${1:-$build/medium}" 2>/dev/null && pwd) || { echo "No such directory: ${1:-}" >&2; exit 2; }

(
    cd "$root"
    scripts/setup.sh
    cmake --preset x86_64 >/dev/null
    cmake --build --preset x86_64 --target talvichk sample_medium >/dev/null
) >&2

. "$root/tests/support/wine-env.sh" "$build"
ensure_prefix
windows_medium=$(winepath -w "$medium" 2>/dev/null)
checker=("$wine_cmd" "$build/TALVICHK.EXE" "${json[@]}" "$windows_medium")
# On a terminal Wine's console recodes the text itself; into a pipe the
# checker writes code page 1250. JSON is UTF-8 and always goes through a pipe,
# which no console recodes.
if [ -t 1 ] && [ ${#json[@]} -eq 0 ]; then
    exec "${checker[@]}"
fi
recode=(iconv -f CP1250 -t UTF-8)
[ ${#json[@]} -gt 0 ] && recode=(cat)
set +e
"${checker[@]}" | "${recode[@]}"
exit "${PIPESTATUS[0]}"
