#!/usr/bin/env bash
# End-to-end speed and memory of a conversion, compared with cp.
#
#   bench/e2e.sh [BUILD_DIR] [SCRATCH_PARENT]
#
# BUILD_DIR (default build) must hold bin/obtgen and bin/obtmirror-cli; this
# script builds nothing, so build it first, as Release for figures worth
# keeping. The object (1,000,000 points, 2,000,000 triangles in octant 1)
# and every output go to a new directory under SCRATCH_PARENT (default
# $TMPDIR or /tmp), so the source, the output and the cp copies share one
# file system. The directory is removed at the end.
#
# Each command runs RUNS times (default 3) after a sync, with its output
# removed first; the medians are compared. WARMUP untimed runs (default 1)
# of each come first: the first runs after a large new file are slower for
# reasons of the machine, not of the command. POINTS and TRIANGLES in the
# environment change the object's size.
set -euo pipefail

build_dir=${1:-build}
scratch_parent=${2:-${TMPDIR:-/tmp}}
points=${POINTS:-1000000}
triangles=${TRIANGLES:-2000000}
runs=${RUNS:-3}
warmup=${WARMUP:-1}

obtgen=$build_dir/bin/obtgen
cli=$build_dir/bin/obtmirror-cli
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
require_tools "$obtgen" "$cli"

scratch=$(mktemp -d "$scratch_parent/obtmirror-e2e-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
source_file=$scratch/source.obt
output_file=$scratch/output.obt
copy_file=$scratch/copy.obt

echo "Object: $points points, $triangles triangles, in $scratch"
"$obtgen" grid "$source_file" --points "$points" --triangles "$triangles"

# Runs a command WARMUP times untimed, removing OUT before each run.
warm_up() {
  local out=$1 run
  shift
  for ((run = 1; run <= warmup; ++run)); do
    rm -f "$out"
    sync
    measure "$@" >/dev/null
  done
}

convert_wall=() convert_cpu=() cp_wall=() cp_cpu=()
warm_up "$output_file" "$cli" convert "$source_file" "$output_file" --to all --quiet
peak_kib=0
for ((run = 1; run <= runs; ++run)); do
  rm -f "$output_file"
  sync
  measure "$cli" convert "$source_file" "$output_file" --to all --quiet \
    >"$scratch/figures.txt"
  read -r wall cpu kib <"$scratch/figures.txt"
  convert_wall+=("$wall") convert_cpu+=("$cpu")
  ((kib > peak_kib)) && peak_kib=$kib
  echo "convert run $run: $wall s wall, $cpu s CPU, peak RSS $kib KiB"
done

# The output itself is the file of the output's size that cp copies.
warm_up "$copy_file" cp --reflink=never "$output_file" "$copy_file"
for ((run = 1; run <= runs; ++run)); do
  rm -f "$copy_file"
  sync
  # No reflink: the copy must write every byte, as the converter does.
  measure cp --reflink=never "$output_file" "$copy_file" >"$scratch/figures.txt"
  read -r wall cpu kib <"$scratch/figures.txt"
  cp_wall+=("$wall") cp_cpu+=("$cpu")
  echo "cp run $run: $wall s wall, $cpu s CPU"
done

source_bytes=$(stat -c %s "$source_file")
output_bytes=$(stat -c %s "$output_file")
# The tables: one shared area for points and triangles, sized for the larger
# of the two (9 entries of 12 bytes per source point or triangle with all
# eight copies), plus one FourthValue byte per output triangle.
larger=$((points > triangles ? points : triangles))
table_bytes=$((9 * larger * 12 + 9 * triangles))
peak_bytes=$((peak_kib * 1024))

echo
printf 'source             %12d bytes (%s MiB)\n' "$source_bytes" "$(mib "$source_bytes")"
printf 'output             %12d bytes (%s MiB)\n' "$output_bytes" "$(mib "$output_bytes")"
convert_wall_median=$(median "${convert_wall[@]}")
convert_cpu_median=$(median "${convert_cpu[@]}")
cp_wall_median=$(median "${cp_wall[@]}")
cp_cpu_median=$(median "${cp_cpu[@]}")
printf 'convert median     %12s s wall %8s s CPU\n' \
  "$convert_wall_median" "$convert_cpu_median"
printf 'cp median          %12s s wall %8s s CPU\n' \
  "$cp_wall_median" "$cp_cpu_median"
printf 'ratio convert/cp   %12s   wall %8s   CPU\n' \
  "$(ratio "$convert_wall_median" "$cp_wall_median")" \
  "$(ratio "$convert_cpu_median" "$cp_cpu_median")"
printf 'peak RSS (convert) %12d bytes (%s MiB)\n' "$peak_bytes" "$(mib "$peak_bytes")"
printf 'tables             %12d bytes (%s MiB)\n' "$table_bytes" "$(mib "$table_bytes")"
printf 'ratio RSS/tables   %12s\n' "$(ratio "$peak_bytes" "$table_bytes")"
