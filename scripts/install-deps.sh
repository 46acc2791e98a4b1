#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need; does nothing when all are present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsqlcipher-dev sqlcipher
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-crosextra-carlito xvfb xauth
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale lets the tests prove that SQL text never follows the user's locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null || echo "install-deps: could not generate de_DE.UTF-8" >&2
  fi
fi
