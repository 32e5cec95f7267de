# Sourced by the Wine scripts: the environment of a build tree's private Wine. $1: the build directory.
# TALVIREX_SESSION names a session of its own beside the tests' (the demo and the screenshots): its prefix
# and display are separate.
build_dir=$(cd "$1" && pwd)
session_name=${TALVIREX_SESSION:+$TALVIREX_SESSION-}
export WINEPREFIX="$build_dir/${session_name}wineprefix"
export WINEDEBUG=${TALVIREX_WINEDEBUG:--all}
# The locale gives Wine's programs their ANSI code page: sk_SK 1250, en_US 1252 (TALVIREX_LOCALE runs a test under another).
export LC_ALL=${TALVIREX_LOCALE:-sk_SK.UTF-8}
# No menu entries on the Linux desktop, no Mono or Gecko installers in a fresh prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
session_dir="$build_dir/${session_name}wine-session"
if [ -f "$session_dir/display" ]; then
    DISPLAY=$(cat "$session_dir/display")
    export DISPLAY
fi
# With wine32 installed, wine starts 32- and 64-bit programs alike (and wine64 may be gone).
wine_cmd=wine

# Creates the prefix once; several test programs may ask at the same moment.
# A prefix made before wine32 came cannot start programs any more: it is made anew.
ensure_prefix() {
    mkdir -p "$session_dir"
    (
        flock 9
        if [ -f "$WINEPREFIX/system.reg" ] && [ -e /usr/lib/wine/wineserver32 ] &&
           [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
            rm -rf "$WINEPREFIX"
        fi
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine_cmd" wineboot -i >"$session_dir/wineboot.log" 2>&1
            wineserver -w
        fi
    ) 9>"$session_dir/prefix.lock"
}
