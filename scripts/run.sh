#!/usr/bin/env bash
# Builds Pathwick and starts it; arguments are passed on to the program (-hide, -exit).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec "${BUILD_DIR:-build}/bin/pathwick" "$@"
