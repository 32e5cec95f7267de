#!/usr/bin/env bash
# Builds both targets and runs the whole test suite under Wine.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset i686 >/dev/null
cmake --build --preset i686
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64
# The tests share one Wine prefix and registry, so they run one at a time.
ctest --preset x86_64 -j1 "$@"
