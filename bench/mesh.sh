#!/usr/bin/env bash
# Speed and memory of import and export against the asset library's own
# load and save alone (the floor).
#
#   bench/mesh.sh [BUILD_DIR] [SCRATCH_PARENT]
#
# BUILD_DIR (default build) must hold bin/obtgen, bin/obtmirror-cli and
# bin/obtmirror-mesh-floor; this script builds nothing, so build it first,
# as Release for figures worth keeping. The object is the eighth of a sphere
# of `obtgen sphere` (a million points, two million triangles). For each
# format (binary PLY, binary STL, OBJ; FORMATS in the environment picks
# others) it times
#   export: obtmirror-cli export SPHERE.obt MESH --format F --quiet
#           against the floor's save of the same scene;
#   import: obtmirror-cli import MESH BACK.obt --scale 1 --quiet
#           against the floor's load of MESH;
# RUNS times each (default 3) after WARMUP untimed runs (default 1), each
# after a sync with its output removed, and prints the medians of wall and
# CPU time, the largest peak RSS, and the ratios to the floor. Every import
# is checked to give back the sphere's triangles over the sphere's points.
# Everything goes to a new directory under SCRATCH_PARENT (default $TMPDIR
# or /tmp), removed at the end.
set -euo pipefail

build_dir=${1:-build}
scratch_parent=${2:-${TMPDIR:-/tmp}}
runs=${RUNS:-3}
warmup=${WARMUP:-1}
read -r -a formats <<<"${FORMATS:-plyb stlb obj}"

obtgen=$build_dir/bin/obtgen
cli=$build_dir/bin/obtmirror-cli
floor=$build_dir/bin/obtmirror-mesh-floor
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
require_tools "$obtgen" "$cli" "$floor"

scratch=$(mktemp -d "$scratch_parent/obtmirror-mesh-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
sphere=$scratch/sphere.obt
raw=$scratch/sphere.raw

echo "Object: obtgen sphere, in $scratch"
"$obtgen" sphere "$sphere"
"$floor" dump "$sphere" "$raw"

# Times a command RUNS times, removing OUT before each run, and sets
# median_wall, median_cpu and peak_kib.
median_of_runs() {
  local out=$1 walls=() cpus=() wall cpu kib run
  shift
  peak_kib=0
  for ((run = 1; run <= warmup + runs; ++run)); do
    rm -f "$out"
    sync
    measure "$@" >"$scratch/figures.txt"
    ((run <= warmup)) && continue
    read -r wall cpu kib <"$scratch/figures.txt"
    walls+=("$wall") cpus+=("$cpu")
    ((kib > peak_kib)) && peak_kib=$kib
  done
  median_wall=$(median "${walls[@]}")
  median_cpu=$(median "${cpus[@]}")
}

# The triangles of an OBT file as lines of corner coordinates, sorted, for
# comparing objects whatever their point numbering.
placed_triangles() {
  tr -d '\r' <"$1" | awk '
    NR == 3 { n = $1 }
    NR > 3 && NR <= 3 + n { p[NR - 4] = $1 " " $2 " " $3 }
    NR == 4 + n { t = $1 }
    NR > 4 + n && NR <= 4 + n + t { print p[$1] "|" p[$2] "|" p[$3] }
  ' | sort
}
placed_triangles "$sphere" >"$scratch/sphere.placed"

extension() {
  case $1 in
    ply | plyb) echo ply ;;
    stl | stlb) echo stl ;;
    obj | objnomtl) echo obj ;;
    gltf2) echo gltf ;;
    glb2) echo glb ;;
    *) echo "$1" ;;
  esac
}

rows=()
row() {
  rows+=("$(printf '%-7s %-6s %8s %8s %10s   %8s %8s %10s   %5s %5s %5s' "$@")")
}
for format in "${formats[@]}"; do
  mesh=$scratch/sphere.$(extension "$format")
  back=$scratch/back.obt

  median_of_runs "$mesh" "$cli" export "$sphere" "$mesh" --format "$format" --quiet
  ours=("$median_wall" "$median_cpu" "$peak_kib")
  cp "$mesh" "$scratch/kept"
  median_of_runs "$mesh" "$floor" export "$raw" "$format" "$mesh"
  row "$format" export "${ours[@]}" "$median_wall" "$median_cpu" "$peak_kib" \
    "$(ratio "${ours[0]}" "$median_wall")" "$(ratio "${ours[1]}" "$median_cpu")" \
    "$(ratio "${ours[2]}" "$peak_kib")"
  mv "$scratch/kept" "$mesh"

  median_of_runs "$back" "$cli" import "$mesh" "$back" --scale 1 --quiet
  ours=("$median_wall" "$median_cpu" "$peak_kib")
  if ! placed_triangles "$back" | cmp -s - "$scratch/sphere.placed"; then
    echo "$bench_name: $format: the import does not give back the sphere" >&2
    exit 1
  fi
  median_of_runs "$scratch/none" "$floor" import "$mesh"
  row "$format" import "${ours[@]}" "$median_wall" "$median_cpu" "$peak_kib" \
    "$(ratio "${ours[0]}" "$median_wall")" "$(ratio "${ours[1]}" "$median_cpu")" \
    "$(ratio "${ours[2]}" "$peak_kib")"
  # The files beside an OBJ or a glTF go too.
  rm -f "$mesh" "${mesh%.*}.mtl" "${mesh%.*}.bin" "$back"
done

echo
printf '%-7s %-6s %8s %8s %10s   %8s %8s %10s   %5s %5s %5s\n' format step \
  "wall s" "CPU s" "peak KiB" "wall s" "CPU s" "peak KiB" wall CPU RSS
printf '%-7s %-6s %28s   %28s   %17s\n' "" "" "ours" "floor" "ours / floor"
printf '%s\n' "${rows[@]}"
