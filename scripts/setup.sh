#!/usr/bin/env bash
# Installs the Debian packages QUILL needs. Idempotent: apt-get runs only when
# something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-charts-dev libqt6opengl6-dev
  libxlsxwriter-dev libzip-dev
  libsqlite3-dev sqlite3
  postgresql postgresql-client libpq-dev
  fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils poppler-utils
  dpkg-dev fakeroot file desktop-file-utils
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
