# Sourced by the Wine scripts: the environment of a build tree's private Wine.
# $1: the build directory.
build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=${TALVIREX_WINEDEBUG:--all}
export LC_ALL=sk_SK.UTF-8
# No menu entries on the Linux desktop, no Mono or Gecko installers in a fresh prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
session_dir="$build_dir/wine-session"
if [ -f "$session_dir/display" ]; then
    DISPLAY=$(cat "$session_dir/display")
    export DISPLAY
fi
wine_cmd=$(command -v wine64 || command -v wine)

# Creates the prefix once; several test programs may ask at the same moment.
ensure_prefix() {
    mkdir -p "$session_dir"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine_cmd" wineboot -i >"$session_dir/wineboot.log" 2>&1
            wineserver -w
        fi
    ) 9>"$session_dir/prefix.lock"
}
