#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run.
# Only missing packages are installed; nothing happens when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  libsdl2-dev
  qt6-base-dev qt6-qpa-plugins qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite
  librsvg2-dev libcairo2-dev libfreetype-dev libpng-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation2
  xvfb xauth
  desktop-file-utils appstream lintian man-db dpkg-dev file fakeroot
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
