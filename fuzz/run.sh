#!/usr/bin/env bash
# Runs every fuzz target for SECONDS seconds, one after the other.
#
#   fuzz/run.sh SECONDS [BUILD_DIR]     (BUILD_DIR defaults to build-fuzz)
#
# FUZZ_TARGETS="fuzz_preview fuzz_cli_arguments" runs only those targets.
#
# Configures and builds BUILD_DIR with clang, the sanitizers and coverage
# feedback when needed. Each target starts from its corpus in fuzz/corpus,
# copied into a scratch directory so that new entries never land in the
# repository. Prints the executions and the coverage of each target; exits
# non-zero if any target found a crash, a timeout or a leak, whose input is
# then left in the scratch directory (and named in the log).
#
# fuzz_conversion skips inputs whose counts would have the engine read and
# write millions of lines (counts above 4096 that the tables still take),
# and fuzz_check converts only sources of up to 4096 entries; the memory
# limits below bound everything else.
set -euo pipefail

seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_DIR]}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$repo/build-fuzz}
read -r -a targets <<<"${FUZZ_TARGETS:-fuzz_conversion fuzz_preview fuzz_cli_arguments fuzz_check fuzz_cut fuzz_picture fuzz_reader_result}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOBTMIRROR_FUZZ=ON \
    -DBUILD_TESTING=OFF -DOBTMIRROR_BENCHMARKS=OFF
fi
# Only what the fuzz programs need: the window is not built here.
cmake --build "$build" --target "${targets[@]}"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/obtmirror-fuzz-XXXXXX")
echo "scratch directory: $scratch"
status=0
summary=()
for target in "${targets[@]}"; do
  work="$scratch/$target"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$repo/fuzz/corpus/$target/"* "$work/corpus/"
  log="$work/fuzz.log"
  echo "== $target for ${seconds}s (log: $log)"
  set +e
  "$build/bin/$target" "$work/corpus" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2560 -malloc_limit_mb=2560 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" >"$log" 2>&1
  result=$?
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" |
    grep -o '[0-9]*$' || echo "?")
  last=$(grep -E '^#[0-9]+' "$log" | grep -o 'cov: [0-9]* ft: [0-9]*' |
    tail -n 1 || true)
  findings=$(ls "$work/artifacts")
  line="$target: executions ${runs:-?}, ${last:-cov: ? ft: ?}, exit $result"
  if [ "$result" -ne 0 ] || [ -n "$findings" ]; then
    status=1
    line+=", FOUND: ${findings:-see log}"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*invariant broken)' "$log" | head -n 5 || true
  fi
  summary+=("$line")
done

echo
printf '%s\n' "${summary[@]}"
exit "$status"
