#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent: packages already present are not installed again.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libjpeg-turbo-progs libpng-dev zlib1g-dev libtiff-dev liblcms2-dev
  fonts-ipafont-gothic
  googletest libgtest-dev
  liblcms2-utils
  xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
