#!/usr/bin/env bash
# Runs a Windows test program under the build tree's Wine: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
set -u
here=$(dirname "$0")
. "$here/wine-env.sh" "$1"
shift
ensure_prefix
exec "$wine_cmd" "$@"
