#!/usr/bin/env bash
# build.sh [BUILD_DIR [CMAKE_OPTIONS...]]: configures and builds QUILL.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir"
