#!/usr/bin/env bash
# Installs dependencies, configures, builds and runs every test.
# Usage: scripts/test.sh [--asan] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--asan" ]; then
    shift
    build=build-asan
    flags=(-DCMAKE_BUILD_TYPE=Debug -DZK_ASAN=ON -DZK_BENCH=OFF)
fi

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
