#!/usr/bin/env bash
# Installs what building and testing TALVIREX needs on Debian or Ubuntu, when missing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(cmake make binutils g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest wine wine64
          xvfb xauth imagemagick locales)
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# Wine runs the 32-bit release too where the machine runs 32-bit programs.
if ! installed wine32:i386 && "$here/../tests/support/runs-32bit.sh"; then
    echo "Installing: wine32:i386"
    $sudo_cmd dpkg --add-architecture i386
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq wine32:i386 >/dev/null
fi
# Wine takes its ANSI code page (1250) from LC_ALL; a generated locale keeps
# Linux tools from warning about it.
if ! locale -a 2>/dev/null | grep -qi '^sk_SK.utf8$'; then
    if [ -f /etc/locale.gen ]; then
        $sudo_cmd sed -i 's/^# *sk_SK.UTF-8 UTF-8/sk_SK.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^sk_SK.UTF-8 UTF-8' /etc/locale.gen || echo 'sk_SK.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
        $sudo_cmd locale-gen >/dev/null
    else
        $sudo_cmd locale-gen sk_SK.UTF-8 >/dev/null
    fi
fi
