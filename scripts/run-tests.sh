#!/usr/bin/env bash
# Installs what the build needs, builds, and runs the whole test suite:
#   0. formatting: every C++ file matches .clang-format (scripts/check-format.sh);
#   1. release build (GCC, warnings as errors): unit, CLI and form tests; benchmarks run briefly;
#   2. sanitizer build (clang, AddressSanitizer + UndefinedBehaviorSanitizer): the core tests
#      again, and every fuzz target for a short fixed time on a seed corpus generated in code.
# Usage: scripts/run-tests.sh [--quick]   (--quick: formatting, release build and tests only)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-20}

scripts/install-deps.sh

step() { printf '\n==== %s ====\n' "$*"; }

step "formatting"
scripts/check-format.sh

step "release build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESS_WERROR=ON
cmake --build build/release -j "$jobs"

step "release tests"
(cd build/release && ctest --output-on-failure -j "$jobs" --timeout 600)

if [[ -x build/release/bin/tess_bench ]]; then
  step "benchmarks (brief run, timings are not checked)"
  build/release/bin/tess_bench --benchmark_min_time=0.01 >/dev/null
fi

if [[ "${1:-}" == "--quick" ]]; then exit 0; fi

step "sanitizer build"
CC=clang CXX=clang++ cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESS_WERROR=ON -DTESS_BUILD_APP=OFF -DTESS_BUILD_BENCH=OFF -DTESS_BUILD_FUZZ=ON
cmake --build build/sanitize -j "$jobs"

step "sanitizer tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/sanitize && ctest --output-on-failure -j "$jobs" --timeout 900)

if [[ -s build/sanitize/fuzz-targets.txt ]]; then
  step "fuzzing (${fuzz_seconds} s per target)"
  corpus="$PWD/build/sanitize/fuzz-corpus"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  if [[ -x build/sanitize/bin/fuzz_seeds ]]; then build/sanitize/bin/fuzz_seeds "$corpus"; fi
  while read -r target; do
    [[ -n "$target" ]] || continue
    mkdir -p "$corpus/$target"
    echo "-- $target"
    log="build/sanitize/fuzz-$target.log"
    if ! build/sanitize/bin/"$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 \
        -timeout=10 -artifact_prefix="$PWD/build/sanitize/" "$corpus/$target" >"$log" 2>&1; then
      tail -n 60 "$log"
      echo "fuzz target $target failed" >&2
      exit 1
    fi
    grep -E '^Done|^#[0-9]+ *DONE' "$log" | tail -n 1 || true
  done < build/sanitize/fuzz-targets.txt
fi

step "all tests passed"
