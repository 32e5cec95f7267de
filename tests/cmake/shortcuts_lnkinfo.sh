#!/usr/bin/env bash
# Shortcut files written by the installer's shortcut writer under Wine, read
# back by lnkinfo, a reader that owes nothing to Wine.
#   shortcuts_lnkinfo.sh BUILD_DIR LNKINFO
set -u
build=$1
lnkinfo=$2
. "$(dirname "$0")/../support/wine-env.sh" "$build" 2>/dev/null
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
windir="Z:${dir//\//\\}"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# make NAME TARGET ICON WORKDIR EXPECTED_EXIT
make() {
    "$wine_cmd" "$build/helpers/make_shortcut.exe" "$windir\\$1" "$2" "$3" "$4" >/dev/null 2>&1
    local code=$?
    [ "$code" = "$5" ] || fail "$1: make_shortcut exited with $code, expected $5"
}

# has NAME REGEX: lnkinfo's report of the shortcut has a matching line
has() {
    "$lnkinfo" "$dir/$1" 2>/dev/null | grep -Eq "$2" || fail "$1: no line matching '$2'"
}

lacks() {
    "$lnkinfo" "$dir/$1" 2>/dev/null | grep -Eq "$2" && fail "$1: unexpected line matching '$2'"
}

make Reader.lnk 'C:\Pub\VIEWER.EXE' 'C:\Pub\VIEWER.ICO' 'C:\Pub' 1
has Reader.lnk 'Local path[[:space:]]*: C:\\Pub\\VIEWER\.EXE$'
has Reader.lnk 'Working directory[[:space:]]*: C:\\Pub$'
has Reader.lnk 'Icon location[[:space:]]*: C:\\Pub\\VIEWER\.ICO$'
has Reader.lnk 'Icon index[[:space:]]*: 0$'
lacks Reader.lnk 'Contains a description string'
lacks Reader.lnk 'Contains a command line arguments string'

# A '*' icon of the program group reaches the writer as no icon at all.
make Help.lnk 'C:\Pub\HELP.HLP' - 'C:\Pub' 1
has Help.lnk 'Local path[[:space:]]*: C:\\Pub\\HELP\.HLP$'
lacks Help.lnk 'Icon location'
lacks Help.lnk 'Contains an icon location string'

# A target longer than a path is refused, and no file is written.
long="C:\\$(printf 'T%.0s' $(seq 1 258))"
make Long.lnk "$long" - - 0
[ -e "$dir/Long.lnk" ] && fail "Long.lnk was written"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all shortcut checks passed"
