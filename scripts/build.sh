#!/usr/bin/env bash
# Configures and builds Pathwick into build/ (program folder: build/bin/).
#   CXX=g++            build with GCC (Clang is the default)
#   BUILD_DIR=dir      build somewhere else than build/
#   PATHWICK_SANITIZE=1  AddressSanitizer and UndefinedBehaviorSanitizer, any report is fatal
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD_DIR=${BUILD_DIR:-build}
CXX=${CXX:-clang++}
case "$CXX" in
    *clang++*) CC=${CC:-${CXX/clang++/clang}} ;;
    *g++*) CC=${CC:-${CXX/g++/gcc}} ;;
    *) CC=${CC:-cc} ;;
esac
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    # Optimised, with assertions kept; no debug information (it doubles the build time).
    options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O2)
    if [ "${PATHWICK_SANITIZE:-0}" = 1 ]; then
        # -O1 is enough for the sanitizers' checks and builds faster.
        options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DPATHWICK_SANITIZE=ON)
    fi
    if command -v ccache >/dev/null 2>&1; then
        options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    CC=$CC CXX=$CXX cmake -S . -B "$BUILD_DIR" -G Ninja "${options[@]}" >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
