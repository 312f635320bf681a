#!/usr/bin/env bash
# Installs zk from a build directory into a temporary prefix, then configures, builds and runs
# a project that finds it with find_package(zk). Usage: tests/package/run.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S tests/package/consumer -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer"
QT_QPA_PLATFORM=offscreen "$work/consumer/consumer"
