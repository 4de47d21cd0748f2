#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each of them.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS is the time per target (default 600); the targets are text,
# namelist, register, settings, image and updater (default: all). The corpus
# found so far is kept in build-fuzz/corpus/TARGET and grows from run to run;
# the checked-in seeds in tests/fuzz/corpus are read, never written. Any
# crash, leak, time-out (10 s for one input) or run past 2 GiB fails the run;
# the input that caused it is saved in build-fuzz/artifacts/TARGET.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(text namelist register settings image updater)
build="$here/build-fuzz"

cmake -S "$here" -B "$build" -G Ninja -DBREVANT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" >/dev/null

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
for target in "${targets[@]}"; do
  dict="$here/tests/fuzz/text.dict"
  [ "$target" = image ] && dict="$here/tests/fuzz/image.dict"
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  log="$build/$target.log"
  if "$build/tests/fuzz/fuzz_$target" "$corpus" "$here/tests/fuzz/corpus/$target" \
      -dict="$dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${seconds} s, ${runs:-?} inputs, corpus $(ls "$corpus" | wc -l) files"
  else
    echo "fuzz $target FAILED; see $log and $artifacts" >&2
    tail -n 40 "$log" >&2
    failed+=("$target")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz targets that failed: ${failed[*]}" >&2; exit 1; }
