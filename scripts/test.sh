#!/usr/bin/env bash
# Sets everything up, builds, starts the Firebird server on loopback for the server suite,
# runs every test and stops the server again if this script started it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

started=""
if [ -x scripts/firebird-server.sh ]; then
  if bash scripts/firebird-server.sh start; then started=yes; fi
fi
cleanup() { [ -n "$started" ] && bash scripts/firebird-server.sh stop || true; }
trap cleanup EXIT

BUILD_DIR=${BUILD_DIR:-build}
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 600
