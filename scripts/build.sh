#!/usr/bin/env bash
# Configures and builds Peekwell into build/ (or the folder given as $BUILD_DIR).
# Extra arguments go to CMake's configure step.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
