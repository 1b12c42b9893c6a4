#!/usr/bin/env bash
# Configures and builds Pathwick into build/ (program folder: build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    # Optimised, with assertions kept; no debug information (it doubles the build time).
    CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE=-O2 >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
