#!/usr/bin/env bash
# Speed at three sizes: the converter against the straightforward peer and
# against cp.
#
#   bench/scale.sh [BUILD_DIR] [SCRATCH_PARENT]
#
# BUILD_DIR (default build) must hold bin/obtgen, bin/obtmirror-cli and
# bin/obtmirror-peer; this script builds nothing, so build it first, as
# Release for figures worth keeping. For each object (10,000 points and
# 20,000 triangles, 100,000 and 200,000, 1,000,000 and 2,000,000, all in
# octant 1) it times `obtmirror-cli convert --to all --quiet`, the peer with
# the same settings, and cp of the converter's output, RUNS times each
# (default 5) after WARMUP untimed runs (default 1), each after a sync and
# with its output removed first, and prints the medians of the wall-clock
# times. The peer's output is checked to be byte for byte the converter's.
# Everything goes to a new directory under SCRATCH_PARENT (default $TMPDIR
# or /tmp), removed at the end.
set -euo pipefail

build_dir=${1:-build}
scratch_parent=${2:-${TMPDIR:-/tmp}}
runs=${RUNS:-5}
warmup=${WARMUP:-1}
sizes=("small 10000 20000" "medium 100000 200000" "large 1000000 2000000")

obtgen=$build_dir/bin/obtgen
cli=$build_dir/bin/obtmirror-cli
peer=$build_dir/bin/obtmirror-peer
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
require_tools "$obtgen" "$cli" "$peer"

scratch=$(mktemp -d "$scratch_parent/obtmirror-scale-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
source_file=$scratch/source.obt
output_file=$scratch/output.obt
peer_file=$scratch/peer.obt
copy_file=$scratch/copy.obt

# Times one command RUNS times, removing OUT before each run, and sets
# median_wall and peak_kib. WARMUP untimed runs (default 1) come first: the
# first runs after a large new file are slower for reasons of the machine
# (memory the system takes into use for the first time), not of the
# command. Runs in this shell, so that a failing command ends the script.
median_of_runs() {
  local out=$1 walls=() wall kib run
  shift
  peak_kib=0
  for ((run = 1; run <= warmup; ++run)); do
    rm -f "$out"
    sync
    measure "$@" >/dev/null
  done
  for ((run = 1; run <= runs; ++run)); do
    rm -f "$out"
    sync
    measure "$@" >"$scratch/figures.txt"
    read -r wall _ kib <"$scratch/figures.txt"
    walls+=("$wall")
    ((kib > peak_kib)) && peak_kib=$kib
  done
  median_wall=$(median "${walls[@]}")
}

rows=()
for size in "${sizes[@]}"; do
  read -r name points triangles <<<"$size"
  echo "$name: $points points, $triangles triangles" >&2
  rm -f "$source_file"
  "$obtgen" grid "$source_file" --points "$points" --triangles "$triangles"

  median_of_runs "$output_file" \
    "$cli" convert "$source_file" "$output_file" --to all --quiet
  convert_s=$median_wall convert_kib=$peak_kib
  median_of_runs "$peer_file" \
    "$peer" "$source_file" "$peer_file" --from 1 --to all
  peer_s=$median_wall
  if ! cmp -s "$output_file" "$peer_file"; then
    echo "$bench_name: the peer's output differs from the converter's" >&2
    exit 1
  fi
  rm -f "$peer_file"
  # The converter's output is the file of the output's size that cp copies;
  # no reflink, so the copy writes every byte as the converter does.
  median_of_runs "$copy_file" cp --reflink=never "$output_file" "$copy_file"
  cp_s=$median_wall
  output_bytes=$(stat -c %s "$output_file")
  rm -f "$output_file" "$copy_file"

  rows+=("$(printf '%-7s %9d %9d %10s %10.3f %10.3f %10.3f %12s %10s %10s' \
    "$name" "$points" "$triangles" "$(mib "$output_bytes")" \
    "$convert_s" "$peer_s" "$cp_s" "$(ratio "$peer_s" "$convert_s")" \
    "$(ratio "$convert_s" "$cp_s")" "$(mib $((convert_kib * 1024)))")")
done

echo "Median wall-clock seconds of $runs runs; --from 1 --to all, centre 0 0 0"
printf '%-7s %9s %9s %10s %10s %10s %10s %12s %10s %10s\n' \
  object points triangles "out MiB" "convert s" "peer s" "cp s" \
  "peer/conv" "conv/cp" "RSS MiB"
printf '%s\n' "${rows[@]}"
