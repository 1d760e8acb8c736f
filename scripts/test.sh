#!/usr/bin/env bash
# Sets everything up, builds, starts the Firebird server on loopback for the server suite,
# runs every test and stops the server again if this script started it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# The server suite must run here, not skip: a server that does not come up fails the run.
cleanup() { bash scripts/firebird-server.sh stop || true; }
trap cleanup EXIT
bash scripts/firebird-server.sh start

BUILD_DIR=${BUILD_DIR:-build}
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 600
