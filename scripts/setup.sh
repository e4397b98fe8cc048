#!/usr/bin/env bash
# Installs the Debian 12 packages Tesmara needs to build, test and run;
# with --run also the Qt 6 module of the fcitx5 input method (Chinese input
# in the program); with --bench also what the start-up benchmark
# (bench/startup.sh) needs.
# Runs apt-get as root, or through sudo for a normal user.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev libqt6svg6 qt6-translations-l10n
    libgl-dev libxkbcommon-dev libfontconfig-dev
    fonts-noto-cjk
    xvfb xauth imagemagick
    python3 python3-fonttools
)
case "${1:-}" in
--run) packages+=(fcitx5-frontend-qt6) ;;
--bench) packages+=(openbox dbus-daemon libx11-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
