#!/usr/bin/env bash
# test.sh [BUILD_DIR [CMAKE_OPTIONS...]]: sets up, builds and runs every test,
# the PostgreSQL ones against a private server.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
scripts/setup.sh
scripts/build.sh "$@"
scripts/with-pg.sh ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
