#!/usr/bin/env bash
# Builds Pathwick and its Debian package: build/package/pathwick_<version>_<arch>.deb (installed
# below /usr, dependencies from dpkg-shlibdeps). Install it with dpkg -i (or apt install ./<file>).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
cd "$BUILD_DIR"
cpack -G DEB -B package
ls -1 "$PWD"/package/*.deb
