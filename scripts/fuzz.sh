#!/usr/bin/env bash
# fuzz.sh [--no-build] [SECONDS]: builds the libFuzzer targets with clang in
# build-fuzz (QUILL_FUZZ) and runs each for SECONDS (default 30), starting from
# its committed seed corpus fuzz/corpus/<target> and its saved crashing inputs
# fuzz/regressions/<target>, with the words of fuzz/dict/<target>.dict where
# there is one. New inputs stay in build-fuzz/corpus. A crash
# leaves its input in build-fuzz/crashes/<target>/ and fails the script once
# every target has run; keep such an input in fuzz/regressions/<target>/ so
# that the normal tests replay it.
# Environment: QUILL_FUZZ_BUILD_DIR (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
build=true
if [ "${1:-}" = "--no-build" ]; then
  build=false
  shift
fi
seconds=${1:-30}
dir=${QUILL_FUZZ_BUILD_DIR:-build-fuzz}
targets=(workbook_file workbook_part hash_dialect vb_text settings_file)

if $build; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DQUILL_FUZZ=ON >/dev/null
  cmake --build "$dir" --target "${targets[@]/#/fuzz_}"
fi

export QT_QPA_PLATFORM=offscreen
# The targets that read files write their input to one; memory is faster.
[ -d /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
failed=()
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  crashes="$dir/crashes/$t"
  mkdir -p "$corpus" "$crashes"
  seeds=(fuzz/corpus/"$t")
  [ -d fuzz/regressions/"$t" ] && seeds+=(fuzz/regressions/"$t")
  options=()
  [ -f fuzz/dict/"$t".dict ] && options+=(-dict=fuzz/dict/"$t".dict)
  echo "fuzz: $t for ${seconds}s"
  if ! "$dir/fuzz/fuzz_$t" "$corpus" "${seeds[@]}" "${options[@]}" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -artifact_prefix="$crashes/" -print_final_stats=1 \
      >"$dir/fuzz-$t.log" 2>&1; then
    failed+=("$t")
    echo "fuzz: $t failed; input in $crashes/, log in $dir/fuzz-$t.log"
    grep -E "ERROR|invariant|runtime error|SUMMARY" "$dir/fuzz-$t.log" | head -5 ||
      tail -n 3 "$dir/fuzz-$t.log"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: crashes in ${failed[*]}"
  exit 1
fi
echo "fuzz: no crash in ${targets[*]}"
