#!/usr/bin/env bash
# Starts or stops the Wine session of a test run: an Xvfb display (unless
# TALVIREX_DISPLAY names one to use), the private prefix and a wineserver that
# stays up between the test programs.  wine-session.sh start|stop BUILD_DIR
set -u
here=$(dirname "$0")
. "$here/wine-env.sh" "$2"
mkdir -p "$session_dir"

stop_session() {
    wineserver -k >/dev/null 2>&1
    if [ -f "$session_dir/xvfb.pid" ]; then
        kill "$(cat "$session_dir/xvfb.pid")" 2>/dev/null
        rm -f "$session_dir/xvfb.pid"
    fi
    rm -f "$session_dir/display"
}

[ "$1" = start ] || [ "$1" = stop ] || { echo "usage: wine-session.sh start|stop BUILD_DIR" >&2; exit 2; }
stop_session
if [ "$1" = stop ]; then
    echo "Wine session stopped"
    exit 0
fi
if [ -n "${TALVIREX_DISPLAY:-}" ]; then
    echo "$TALVIREX_DISPLAY" >"$session_dir/display"
else
    # Xvfb picks a free display number and writes it to fd 3.
    exec 3>"$session_dir/display.num"
    setsid Xvfb -displayfd 3 -screen 0 "${TALVIREX_SCREEN:-1024x768x24}" -nolisten tcp \
        >"$session_dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$session_dir/xvfb.pid"
    exec 3>&-
    for _ in $(seq 1 100); do
        [ -s "$session_dir/display.num" ] && break
        sleep 0.1
    done
    if [ ! -s "$session_dir/display.num" ]; then
        echo "Xvfb did not start:" >&2; cat "$session_dir/xvfb.log" >&2; exit 1
    fi
    echo ":$(head -n1 "$session_dir/display.num")" >"$session_dir/display"
fi
DISPLAY=$(cat "$session_dir/display"); export DISPLAY
ensure_prefix
setsid wineserver -p >"$session_dir/wineserver.log" 2>&1 </dev/null &
# Without a window manager on the test display, Wine would wait two seconds
# for one at every closed window of a managed kind: keep windows unmanaged.
"$wine_cmd" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
echo "Wine session on display $DISPLAY, prefix $WINEPREFIX"
