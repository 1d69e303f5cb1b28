#!/usr/bin/env bash
# Installs the Debian packages the client, its tests and its demo need, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config binutils python3
  libgtk-3-dev libwebkit2gtk-4.1-dev libsoup-3.0-dev libayatana-appindicator3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool openbox xcompmgr x11-utils trayer imagemagick librsvg2-bin
  fonts-wqy-microhei fonts-dejavu-core fonts-urw-base35
  bubblewrap xdg-dbus-proxy
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
