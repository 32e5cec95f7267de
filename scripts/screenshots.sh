#!/usr/bin/env bash
# Screenshots of the wizard pages, taken under Xvfb inside a Wine desktop (so
# that window frames and captions are drawn).
#
#   scripts/screenshots.sh pages  [OUT_DIR]   every page template with sample texts (show_page.exe)
#   scripts/screenshots.sh wizard [OUT_DIR]   the installer itself, run from a sample medium and
#                                             stepped through with Next; the progress page goes by
#                                             too fast to catch, "pages" shows it
#
# Needs the x86_64 build. OUT_DIR defaults to /tmp/talvirex-shots. The Wine
# prefix, display and sample medium are private to the run and removed after it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/x86_64"
mode=${1:-pages}
out=${2:-/tmp/talvirex-shots}
helpers="$build/helpers"

for f in "$helpers/show_page.exe" "$helpers/page_button.exe" "$build/TALVIREX.EXE"; do
    [ -f "$f" ] || { echo "missing $f: build with 'cmake --build --preset x86_64' first" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d /tmp/talvirex-shots.XXXXXX)
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export LC_ALL=sk_SK.UTF-8
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
wine=$(command -v wine64 || command -v wine)

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 </dev/null &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
"$wine" wineboot -i >/dev/null 2>&1
# Every program of this prefix runs in one virtual desktop, which draws the
# window frames and captions that a bare X server would not.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1
wineserver -w

# Waits for a page, then saves the screen trimmed to the page's window.
shoot() {
    "$wine" "$helpers/page_button.exe" wait || { echo "no page shown for $1" >&2; return 1; }
    sleep 1
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop 800x600+0+0 +repage -trim +repage "$out/$1.png"
    echo "$out/$1.png"
}

# Presses a button of the page shown and waits until that page is gone.
press() {
    "$wine" "$helpers/page_button.exe" "$1" || echo "button $1 could not be pressed ($?)" >&2
}

case "$mode" in
pages)
    pages=(10000 10001 10002 10003 10004 10020 10021)
    "$wine" "$helpers/show_page.exe" sample "${pages[@]}" cancelled 10021 &
    program=$!
    for page in "${pages[@]}"; do
        shoot "page-$page"
        if [ "$page" = 10020 ]; then press close; else press 1; fi
    done
    shoot "page-10021-cancelled"
    press 1
    wait "$program"
    ;;
wizard)
    medium="$work/medium"
    mkdir -p "$medium"
    printf 'Vzorov\xe1 kniha\r\n' >"$medium/KNIHA.DAT"
    printf 'MZ' >"$medium/CITAC.EXE"
    iconv -f UTF-8 -t CP1250 >"$medium/TALVIREX.INF" <<'EOF'
[PUBLICATION]
TITLE=Vzorová publikácia
INIFILE=VZORKA.INI
PATH=Vzorka
GROUP=Vzorka

[FILES32]
FILE1=KNIHA.DAT;0
FILE2=CITAC.EXE;1;*;Vzorová publikácia
EOF
    winmedium="Z:$(echo "$medium" | tr / '\\')"
    "$wine" "$build/TALVIREX.EXE" "-S$winmedium" &
    program=$!
    # Next until the installer ends; the pages are numbered as they come
    # (the group page is left out when no program group is wanted).
    n=1
    while shoot "wizard-$n"; do
        press 1
        n=$((n + 1))
        [ $n -le 10 ] || break
    done
    wait "$program"
    ;;
*)
    echo "usage: $0 pages|wizard [OUT_DIR]" >&2
    exit 2
    ;;
esac
