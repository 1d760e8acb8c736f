#!/usr/bin/env bash
# Builds the Debian package: set-up and build (scripts/setup.sh; BUILD_DIR and CMAKE_ARGS pass
# on), then cpack -G DEB. The package goes to <build>/package/cust_prod_<version>_<arch>.deb;
# install it with: sudo apt install ./<build>/package/cust_prod_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$BUILD_DIR/package"
ls -l "$BUILD_DIR"/package/cust_prod_*.deb
