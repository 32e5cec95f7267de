#!/usr/bin/env bash
# Installs what building and testing TALVIREX needs on Debian or Ubuntu, when missing.
set -eu
packages=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest wine wine64
          xvfb xauth imagemagick locales)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# Wine takes its ANSI code page (1250) from LC_ALL; a generated locale keeps
# Linux tools from warning about it.
if ! locale -a 2>/dev/null | grep -qi '^sk_SK.utf8$'; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    if [ -f /etc/locale.gen ]; then
        $sudo_cmd sed -i 's/^# *sk_SK.UTF-8 UTF-8/sk_SK.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^sk_SK.UTF-8 UTF-8' /etc/locale.gen || echo 'sk_SK.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
        $sudo_cmd locale-gen >/dev/null
    else
        $sudo_cmd locale-gen sk_SK.UTF-8 >/dev/null
    fi
fi
