#!/usr/bin/env bash
# build.sh [BUILD_DIR [CMAKE_OPTIONS...]]: configures and builds QUILL.
set -euo pipefail
cd "$(dirname "$0")/.."
# Let ccache share objects between clones in different folders (CI builds a
# fresh clone each time).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir"
