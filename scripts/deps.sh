#!/usr/bin/env bash
# Makes sure the Debian packages needed to build, run and test Pathwick are present.
# As root it installs what is missing; as another user it names the missing packages and stops.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev libqt6svg6 qt6-image-formats-plugins libxcb1-dev libgl-dev
    breeze-icon-theme xdg-utils python3
    xvfb xauth xdotool trayer x11-utils x11-xserver-utils libxcb-xtest0-dev
    dbus-daemon python3-dbus python3-gi
    desktop-file-utils appstream man-db dpkg-dev file lintian
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Pathwick needs these Debian packages, which are not installed:" >&2
    echo "    ${missing[*]}" >&2
    echo "Install them as root (apt-get install ${missing[*]}) or run this command as root." >&2
    exit 1
fi

echo "Installing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
