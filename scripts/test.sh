#!/usr/bin/env bash
# Builds Pathwick and runs every test (unit, gui, e2e, fuzz) through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd "${BUILD_DIR:-build}"
exec ctest --output-on-failure -j "$(nproc)" "$@"
