#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent: packages already present are not installed again, and the
# Japanese locale the tests use is generated only when it is missing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libjpeg-turbo-progs libpng-dev zlib1g-dev libtiff-dev liblcms2-dev
  fonts-ipafont-gothic
  googletest libgtest-dev clang-format
  liblcms2-utils
  xvfb xauth
  locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
else
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The tests run the date column under the Japanese locale as well as C.UTF-8.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "install-deps: generating the ja_JP.UTF-8 locale"
  if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen > /dev/null
  fi
  $SUDO locale-gen > /dev/null
fi
