#!/usr/bin/env bash
# Installs, once, the Debian packages that building, testing and looking at the program need.
# Tested on a fresh Debian 12 machine. Runs apt-get only when something is missing; needs root then.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
PKGS="cmake ninja-build g++ pkg-config qt6-base-dev libsqlcipher-dev sqlcipher libssl-dev
      fonts-wqy-zenhei xvfb xauth imagemagick poppler-utils xdotool"
missing=$(for p in $PKGS; do
  dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null | grep -qx installed || echo "$p"
done)
if [ -n "$missing" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
