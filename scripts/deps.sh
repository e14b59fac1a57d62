#!/usr/bin/env bash
# Installs what building, testing and looking at the program need (Debian 12), when missing.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache pkg-config qt6-base-dev qt6-base-dev-tools
  qt6-translations-l10n libsqlite3-dev sqlite3 libxlsxwriter-dev libminizip-dev libsodium-dev libgtest-dev
  libgmock-dev libbenchmark-dev fonts-noto-cjk fonts-dejavu-core adwaita-icon-theme xvfb xauth
  xdotool imagemagick poppler-utils locales postgresql-15 postgresql-client-15 libpq-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
# A decimal-comma locale, so that the tests check the program under de_DE.UTF-8 without making
# one first (they make their own when it is missing), and the shops' own, in which the tests'
# server also speaks.
wanted=()
for l in de_DE zh_CN; do
  locale -a 2>/dev/null | grep -qi "^$l\.utf-\?8$" || wanted+=("$l")
done
if [ ${#wanted[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  for l in "${wanted[@]}"; do
    $sudo sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  done
  $sudo locale-gen >/dev/null
fi
