#!/usr/bin/env bash
# Installs what the build needs, builds the editor and the demo game, and starts the editor on
# the demo game, or on the game directory given as the first argument. The build directory and
# its configuration are the ones scripts/run-tests.sh uses, so either can follow the other
# without rebuilding what is already built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESS_WERROR=ON >/dev/null
cmake --build build/release -j "$(nproc)" --target tessarine demo_game
args=()
if [[ $# -gt 0 ]]; then args=(--game-dir "$(realpath "$1")"); fi
exec build/release/bin/tessarine "${args[@]}"
