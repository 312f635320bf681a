#!/usr/bin/env bash
# Builds and starts the demonstration program.
# Usage: scripts/demo.sh [--qt]
#   --qt   starts the example that inspects plain Qt widgets instead of the demo form
set -euo pipefail
cd "$(dirname "$0")/.."

target=zkdemo
binary=build/demo/zkdemo
if [ "${1:-}" = "--qt" ]; then
    target=inspect-qt
    binary=build/examples/inspect-qt/inspect-qt
elif [ $# -gt 0 ]; then
    echo "usage: scripts/demo.sh [--qt]" >&2
    exit 2
fi

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target "$target"

# A window needs a display; say how to get one rather than letting Qt abort.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display: run it under a virtual one, e.g. xvfb-run -a scripts/demo.sh $*" >&2
    exit 1
fi
exec "$binary"
