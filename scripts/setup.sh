#!/usr/bin/env bash
# Installs every Debian package the project needs (idempotent), then configures and builds.
# Run as root on Debian 12. BUILD_DIR (default: build) and CMAKE_ARGS may be set.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6test6 libqt6opengl6-dev
  firebird3.0-server firebird-dev libfbclient2 firebird3.0-utils
  zlib1g-dev libgtest-dev
  fonts-arphic-uming fonts-arphic-ukai fonts-liberation2
  xvfb xauth poppler-utils xdotool imagemagick
  # Qt's own dialogs and buttons in Traditional Chinese (qtbase_zh_TW.qm).
  qt6-translations-l10n
  # The Debian package (cpack -G DEB runs dpkg-shlibdeps, which needs file) and its test.
  dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  # The server package must not start its own service at install time: the scripts start
  # and stop it themselves.
  echo exit 101 | $SUDO tee /usr/sbin/policy-rc.d >/dev/null
  $SUDO chmod +x /usr/sbin/policy-rc.d
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
  $SUDO rm -f /usr/sbin/policy-rc.d
fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} ${CMAKE_ARGS:-}
cmake --build "$BUILD_DIR" -j"$(nproc)"
