#!/usr/bin/env bash
# Installs what the build needs, builds, and starts the editor on the demo game, or on the game
# directory given as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)"
args=()
if [[ $# -gt 0 ]]; then args=(--game-dir "$(realpath "$1")"); fi
if [[ -x build/release/bin/tessarine ]]; then
  exec build/release/bin/tessarine "${args[@]}"
fi
# Until the editor window exists: make a new map with the command-line tool and show its info.
map=build/release/new.map
build/release/bin/tessarine-cli map new --size 256x512 -o "$map" --seed 1
exec build/release/bin/tessarine-cli map info "$map"
