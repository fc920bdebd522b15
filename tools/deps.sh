#!/bin/sh
# Installs the Debian packages the build, the program and the tests need,
# if any of them is missing. Sourced by run.sh and test.sh.
PLX_PACKAGES="g++ cmake ninja-build qt6-base-dev fonts-wine fonts-dejavu-core libgtest-dev libbenchmark-dev
  libclang-rt-14-dev
  xvfb xauth xdotool xclip x11-xkb-utils xkb-data x11-apps python3 desktop-file-utils nec2c
  poppler-utils locales"

plx_install_missing() {
  missing=""
  for p in $PLX_PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
}
