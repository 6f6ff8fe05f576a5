#!/usr/bin/env bash
# Installs every Debian 12 package Tessarine needs to build, test, fuzz and run. Idempotent:
# packages already present are not touched, and nothing is fetched outside Debian's archive.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config git ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format-14
  libstb-dev nlohmann-json3-dev
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
