#!/usr/bin/env bash
# guide-pictures.sh [BUILD_DIR]: draws the pictures of the user's guide
# (docs/guide.md) into docs/pictures/ with the host's --show and --snapshot,
# on a fresh demo workspace. Run it again whenever a window changes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
quill=$build/src/suite/host/quill
out=docs/pictures
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
workspace=$tmp/workspace
# Off screen the windows get the same size and fonts on every machine.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir -p "$out"
"$build/demo/quill-demo" --workspace "$workspace" >/dev/null

# shot NAME [OPTION...]: the picture NAME.png of what the options show.
shot() {
  local name=$1
  shift
  "$quill" --workspace "$workspace" "$@" --snapshot "$out/$name.png" >/dev/null
  echo "$out/$name.png"
}

shot main
shot sheet --show report
shot designer --show designer
shot period --show period
shot date --show date --title 考勤管理
shot entry --show entry
shot preview --show preview
shot about --show about
echo quill-admin | shot setup --show setup
# The first printed page of a report, as "quill report" writes it.
if "$quill" report --help >/dev/null 2>&1; then
  "$quill" report --workspace "$workspace" --report 工资明细表 --output "$tmp/report.pdf"
  pdftoppm -r 60 -f 1 -l 1 -png -singlefile "$tmp/report.pdf" "$out/report"
  echo "$out/report.png"
else
  echo "note: this quill has no report command yet; $out/report.png was not made" >&2
fi
if "$quill" --help | grep -qw chart; then
  shot chart --show chart
else
  echo "note: this quill has no chart window to show yet; $out/chart.png was not made" >&2
fi
