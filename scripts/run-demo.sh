#!/usr/bin/env bash
# run-demo.sh [WORKSPACE]: sets up, builds, creates the demo workspace when it
# is missing (default ./workspace) and runs QUILL on it. Without a display the
# main window is drawn off screen into WORKSPACE/quill.png. Until the host
# program exists, it prints what the workspace holds.
# Environment: QUILL_BUILD_DIR (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${QUILL_BUILD_DIR:-build}
workspace=${1:-workspace}

scripts/setup.sh
scripts/build.sh "$dir"

demo="$dir/demo/quill-demo"
if [ -f "$workspace/suite.conf" ]; then
  "$demo" --workspace "$workspace" --show
else
  "$demo" --workspace "$workspace"
fi

host="$dir/src/suite/host/quill"
if [ ! -x "$host" ]; then
  echo "run-demo: $host is not built yet; the workspace above is ready for it."
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  QT_QPA_PLATFORM=offscreen "$host" --workspace "$workspace" --snapshot "$workspace/quill.png"
else
  "$host" --workspace "$workspace"
fi
