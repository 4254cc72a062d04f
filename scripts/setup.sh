#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test and run.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
  libqt6sql6-sqlite
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
  firebird3.0-doc firebird3.0-examples
  libjpeg62-turbo-dev
  libxlsxwriter-dev
  libquazip1-qt6-dev
  xvfb xauth imagemagick fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq "${missing[@]}"
fi
