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
# Wine takes its ANSI code page from LC_ALL (1250 from sk_SK; 1252 from en_US,
# under which a test checks the installer too) and converts file names with
# its character set: a locale that is not generated leaves Wine able to make
# no file name beyond ASCII, and Linux tools warn about it.
for loc in sk_SK en_US; do
    locale -a 2>/dev/null | grep -qi "^$loc.utf8$" && continue
    if [ -f /etc/locale.gen ]; then
        $sudo_cmd sed -i "s/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
        $sudo_cmd locale-gen >/dev/null
    else
        $sudo_cmd locale-gen "$loc.UTF-8" >/dev/null
    fi
done
