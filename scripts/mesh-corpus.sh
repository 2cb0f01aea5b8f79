#!/usr/bin/env bash
# Imports every model of two collections of test meshes, and damaged copies
# of the small ones, and checks that the command line stays in charge
# whatever the mesh library does with them.
#
#   scripts/mesh-corpus.sh [CLI]
#
# CLI (default build/bin/obtmirror-cli of this tree) is run as
#   CLI import MESH TARGET --time-limit TIME_LIMIT [--any-format] --quiet
# twice for every file, without and with --any-format, so that every reader
# of the library gets its turn. The files:
#   - every model under /usr/share/assimp/models (Debian package
#     assimp-testmodels), all files but the textures, material libraries,
#     buffers, shaders and notes beside them, which stay where they are so
#     that the models find them;
#   - every STL, OFF, OBJ, AMF, 3MF, DAE and PLY file under
#     /usr/share/openscad (package openscad-testing-data);
#   - MUTANTS damaged copies (truncated, bits flipped, a number or four
#     bytes made huge) of the PLY, OFF, STL, OBJ, glTF, DAE and FBX files of
#     at most 64 KiB of both collections, each in a directory of its own
#     beside the buffers and material libraries of its original.
# Every run has a wall-clock limit of TIME_LIMIT * 3 + 15 seconds: the
# library's own limits are for the sandboxed reader, this one catches a
# command line that hangs.
#
# Environment:
#   SAMPLE=N          import N files of the collections, picked by SEED
#                     (default: all); the mutants come from all of them
#   MUTANTS=N         damaged copies to make (default 300)
#   SEED=N            picks the sample and the damage (default 1); the same
#                     seed and installed packages give the same runs
#   TIME_LIMIT=S      --time-limit of every run (default 5)
#   JOBS=N            runs at a time (default: the number of processors)
#   KEEP=DIR          copies the mutants that crash the library or trip a
#                     check into DIR, with mutants.tsv telling their damage
#   REQUIRE_CORPUS=1  fails when a package is missing instead of skipping
#
# Prints how the runs ended and the crashes the sandbox contained (the list
# for the release notes). Exits 1 when a run broke a rule of the command
# line: it died by a signal or hung, printed a line on standard error that
# does not start with "obtmirror-cli: " (but for the two German status
# lines), ended with a status other than 0, 1 or 2, or said it imported
# without writing one line and the target. Everything goes to a new
# directory under $TMPDIR (default /tmp), removed at the end.
set -euo pipefail

name=${0##*/}
repo=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$repo/build/bin/obtmirror-cli}
sample=${SAMPLE:-}
mutant_count=${MUTANTS:-300}
seed=${SEED:-1}
time_limit=${TIME_LIMIT:-5}
jobs=${JOBS:-$(nproc)}
keep=${KEEP:-}

assimp_dir=/usr/share/assimp/models
openscad_dir=/usr/share/openscad
too_large_line="Objekt zu groß für die Berechnung"
file_name_line="Fehler in Dateinamen aufgetreten"

for number in "$mutant_count" "$seed" "$time_limit" "$jobs" ${sample:+"$sample"}; do
  if ! [[ $number =~ ^[0-9]+$ ]]; then
    echo "$name: SAMPLE, MUTANTS, SEED, TIME_LIMIT and JOBS take whole numbers, not '$number'" >&2
    exit 64
  fi
done
mutant_count=$((10#$mutant_count)) seed=$((10#$seed)) jobs=$((10#$jobs))
time_limit=$((10#$time_limit))
[ -z "$sample" ] || sample=$((10#$sample))
((jobs > 0)) || jobs=1
((time_limit > 0)) || time_limit=1
wall_limit=$((time_limit * 3 + 15))

missing=()
[ -d "$assimp_dir" ] || missing+=(assimp-testmodels)
[ -d "$openscad_dir/testdata" ] || missing+=(openscad-testing-data)
if [ ${#missing[@]} -eq 2 ]; then
  echo "mesh corpus: assimp-testmodels and openscad-testing-data are not installed"
  [ "${REQUIRE_CORPUS:-0}" = 1 ] && exit 1
  exit 0
fi
if [ ${#missing[@]} -eq 1 ]; then
  echo "mesh corpus: ${missing[0]} is not installed"
  [ "${REQUIRE_CORPUS:-0}" = 1 ] && exit 1
fi

if [ ! -x "$cli" ]; then
  echo "$name: $cli is missing; build it first" >&2
  exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/obtmirror-mesh-corpus-XXXXXX")
cleanup() {
  local running
  running=$(jobs -pr)
  # shellcheck disable=SC2086  # one process id a word
  [ -z "$running" ] || kill $running 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
started=$EPOCHREALTIME

# True for the files beside a model rather than models: images, material
# libraries, buffers, shaders, notes. Files without an extension are the
# library's samples for telling formats by their content, so they stay.
companion_extensions=" png jpg jpeg tga bmp dds gif tif tiff txt md glsl vert frag mtl bin material "
is_companion() {
  local lower=${1##*/}
  lower=${lower,,}
  case $lower in
    readme | readme.* | license | license.* | credits | credits.*) return 0 ;;
    *.*) [[ $companion_extensions == *" ${lower##*.} "* ]] ;;
    *) return 1 ;;
  esac
}

openscad_extensions=" stl off obj amf 3mf dae ply "
is_openscad_mesh() {
  local lower=${1##*/}
  lower=${lower,,}
  [[ $lower == *.* && $openscad_extensions == *" ${lower##*.} "* ]]
}

corpus=()
if [ -d "$assimp_dir" ]; then
  while IFS= read -r -d '' file; do
    is_companion "$file" || corpus+=("$file")
  done < <(find "$assimp_dir" -type f -print0 | LC_ALL=C sort -z)
fi
assimp_count=${#corpus[@]}
if [ -d "$openscad_dir/testdata" ]; then
  while IFS= read -r -d '' file; do
    is_openscad_mesh "$file" && corpus+=("$file")
  done < <(find "$openscad_dir" -type f -print0 | LC_ALL=C sort -z)
fi
openscad_count=$((${#corpus[@]} - assimp_count))
printf '%s\n' "${corpus[@]}" >"$scratch/corpus.txt"

# SAMPLE files of the collections, the same for the same seed: those whose
# hash of seed and path is smallest, in the order of their paths.
if [ -n "$sample" ] && ((sample < ${#corpus[@]})); then
  mapfile -t corpus < <(python3 - "$seed" "$sample" "$scratch/corpus.txt" <<'EOF'
import hashlib, os, sys
seed, count, listing = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with open(listing, encoding="utf-8", errors="surrogateescape") as f:
    paths = f.read().splitlines()
def rank(path):
    return hashlib.sha256(seed.encode() + b"\0" + os.fsencode(path)).digest()
for path in sorted(sorted(paths, key=rank)[:count]):
    sys.stdout.write(path + "\n")
EOF
  )
fi

# The damaged copies: MUTANTS directories under mutants/, each holding one
# copy under its original's name and the buffers and material libraries the
# original names; mutants.tsv gives each copy's path and what was done to it.
# The choices come from hashes of the seed, not from a random generator, so
# that they do not depend on the version of Python.
make_mutants() {
  python3 - "$seed" "$mutant_count" "$scratch/corpus.txt" "$scratch/mutants" \
    "$scratch/mutants.tsv" <<'EOF'
import hashlib, json, os, re, shutil, sys

seed, count, listing, out_dir, manifest = sys.argv[1:6]
count = int(count)
with open(listing, encoding="utf-8", errors="surrogateescape") as f:
    paths = f.read().splitlines()

def draw(*parts):
    text = "\0".join([seed] + [str(p) for p in parts])
    digest = hashlib.sha256(os.fsencode(text)).digest()
    return int.from_bytes(digest[:8], "big")

def extension(path):
    return os.path.splitext(path)[1].lower()

small = [p for p in paths if 0 < os.path.getsize(p) <= 64 * 1024]
preferred = {".ply", ".off", ".stl", ".obj", ".gltf", ".dae", ".fbx"}
pool = [p for p in small if extension(p) in preferred] or small
pool.sort(key=lambda p: (draw("pool", p), p))

def companions(source, data):
    """Relative paths of the files a model names that lie beside it."""
    names = []
    if extension(source) == ".gltf":
        def walk(node):
            if isinstance(node, dict):
                for key, value in node.items():
                    if key == "uri" and isinstance(value, str):
                        names.append(value)
                    else:
                        walk(value)
            elif isinstance(node, list):
                for value in node:
                    walk(value)
        try:
            walk(json.loads(data))
        except ValueError:
            names += re.findall(r'"uri"\s*:\s*"([^"]+)"', data.decode("latin-1"))
    elif extension(source) == ".obj":
        for line in re.findall(rb"^[ \t]*mtllib[ \t]+(.+?)[ \t\r]*$", data, re.M):
            names.append(line.decode("latin-1"))
    return [n for n in names
            if not n.startswith("data:") and not os.path.isabs(n)
            and ".." not in n.split("/")]

big_numbers = [b"4294967295", b"2147483648", b"99999999999999999999", b"0",
               b"-1", b"1e308", b"nan"]

def mutate(number, data):
    data = bytearray(data)
    size = len(data)
    kind = draw(number, "kind") % 3
    if kind == 0:
        keep = draw(number, "cut") % size
        return data[:keep], f"truncated to {keep} of {size} bytes"
    if kind == 1:
        flips = 1 + draw(number, "flips") % 8
        spots = []
        for k in range(flips):
            at = draw(number, "at", k) % size
            bit = draw(number, "bit", k) % 8
            data[at] ^= 1 << bit
            spots.append(f"bit {bit} of byte {at}")
        return data, ", ".join(spots) + " flipped"
    text = b"\0" not in data[:4096]
    numbers = list(re.finditer(rb"\d+", data)) if text else []
    if numbers:
        found = numbers[draw(number, "number") % len(numbers)]
        start, end, digits = found.start(), found.end(), found.group().decode()
        big = big_numbers[draw(number, "big") % len(big_numbers)]
        data[start:end] = big
        return data, f"number {digits} at byte {start} made {big.decode()}"
    # Counts and offsets of binary formats are mostly near the start.
    span = size if draw(number, "where") % 2 else min(size, 256)
    at = draw(number, "at") % span
    data[at:at + 4] = b"\xff\xff\xff\xff"
    return data[:max(size, at + 4)], f"bytes {at} to {at + 3} made 0xff"

os.makedirs(out_dir)
with open(manifest, "w", encoding="utf-8", errors="surrogateescape") as rows:
    for number in range(count if pool else 0):
        source = pool[number % len(pool)]
        with open(source, "rb") as f:
            original = f.read()
        data, what = mutate(number, original)
        target_dir = os.path.join(out_dir, f"{number:04d}")
        os.makedirs(target_dir)
        target = os.path.join(target_dir, os.path.basename(source))
        for companion in companions(source, original):
            beside = os.path.join(os.path.dirname(source), companion)
            if os.path.isfile(beside):
                copy = os.path.join(target_dir, companion)
                os.makedirs(os.path.dirname(copy), exist_ok=True)
                shutil.copyfile(beside, copy)
        with open(target, "wb") as f:
            f.write(data)
        rows.write(f"{target}\t{what}, from {source}\n")
EOF
}

mutants=()
declare -A label=()
if ((mutant_count > 0)); then
  make_mutants
  while IFS=$'\t' read -r path what; do
    mutants+=("$path")
    label[$path]="mutant ${path#"$scratch/mutants/"} ($what)"
  done <"$scratch/mutants.tsv"
fi
files=("${corpus[@]}" "${mutants[@]}")

# One run: the command line's status and the checks on its outputs go to
# runs/ID.result as STATUS, KIND, CAUSE and PROBLEMS (joined by "; ")
# between unit separators (0x1f), as the last two may be empty. KIND is
# imported, refused, write-failed, other-exit, parent-signal or hang; CAUSE
# says why a refused file was refused. Ends with status 0 always.
run_one() {
  local id=$1 file=$2 mode=$3
  local base=$scratch/runs/$id status=0 kind cause="" problems=() line first=""
  local options=(--time-limit "$time_limit" --quiet)
  [ "$mode" = plain ] || options+=(--any-format)
  ulimit -c 0
  local start=$EPOCHREALTIME
  timeout -k 5 "$wall_limit" "$cli" import "$file" "$base.obt" "${options[@]}" \
    <"/dev/null" >"$base.out" 2>"$base.err" || status=$?
  local seconds
  seconds=$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN {printf "%d", e - s}')

  if ((status == 124 || (status == 137 && seconds >= wall_limit))); then
    kind=hang
    problems+=("hung: no end after $wall_limit s of wall-clock time")
  elif ((status > 128)); then
    kind=parent-signal
    problems+=("the command line died by signal $((status - 128))")
  elif ((status == 0)); then
    kind=imported
  elif ((status == 1)); then
    kind=refused
  elif ((status == 2)); then
    kind=write-failed
  else
    kind=other-exit
    problems+=("exit status $status")
  fi

  while IFS= read -r line || [ -n "$line" ]; do
    case $line in
      "obtmirror-cli: "*) [ -n "$first" ] || first=${line#obtmirror-cli: } ;;
      "$too_large_line" | "$file_name_line") ;;
      # timeout's own word on a core dump, after a death already counted
      "timeout: the monitored command dumped core") ;;
      *) problems+=("stray line on standard error: ${line:0:160}") ;;
    esac
  done <"$base.err"

  if [ "$kind" = imported ]; then
    [ "$(wc -l <"$base.out")" -eq 1 ] && [ -s "$base.out" ] ||
      problems+=("imported, but standard output is not one line")
    [ -s "$base.obt" ] || problems+=("imported, but no target written")
  elif [ "$kind" = refused ]; then
    [ -n "$first" ] || problems+=("refused without a word on standard error")
  fi

  if [ "$kind" = refused ] && [ -n "$first" ]; then
    local reason=${first#"$file: "}
    case $reason in
      *"the mesh library crashed on this file (signal "*)
        cause=${reason#*"(signal "}
        cause="crashed signal ${cause%%)*}"
        ;;
      *"of processor time on this file"*) cause="time" ;;
      *"of memory for this file"*) cause=memory ;;
      *"stopped answering on this file"*) cause=silent ;;
      *"system call that the sandbox forbids"*) cause=syscall ;;
      *"among the known formats"*) cause="unknown format" ;;
      *)
        # Any other reason, the library's or the command line's own, with
        # names and figures made alike so that it counts once over files.
        cause="other: $(sed -E 's/"[^"]*"/"..."/g; s/[0-9]+/N/g' <<<"$reason" | cut -c1-110)"
        ;;
    esac
  fi

  local joined=""
  [ ${#problems[@]} -eq 0 ] || joined=$(printf '%s; ' "${problems[@]}")
  printf '%s\x1f%s\x1f%s\x1f%s\n' "$status" "$kind" "$cause" "${joined%; }" >"$base.result"
  rm -f "$base.obt"
}

mkdir "$scratch/runs"
run_files=() run_modes=()
for file in "${files[@]}"; do
  run_files+=("$file" "$file")
  run_modes+=(plain any)
done
total=${#run_files[@]}
picked="${#corpus[@]} files"
[ ${#corpus[@]} -eq $((assimp_count + openscad_count)) ] ||
  picked="${#corpus[@]} files picked by seed $seed out of $((assimp_count + openscad_count))"
echo "mesh corpus: $picked ($assimp_count of assimp-testmodels," \
  "$openscad_count of openscad-testing-data) and ${#mutants[@]} mutants," \
  "$total runs, time limit $time_limit s, $jobs at a time"

for ((id = 0; id < total; ++id)); do
  while (($(jobs -pr | wc -l) >= jobs)); do
    wait -n || true
  done
  # The shell's own word on a run that died by a signal goes to a file.
  run_one "$id" "${run_files[id]}" "${run_modes[id]}" 2>"$scratch/runs/$id.shell" &
  if (((id + 1) % 200 == 0)); then
    echo "mesh corpus: $((id + 1)) of $total runs started"
  fi
done
wait

# The summary.
declare -A kinds=() causes=() crash_modes=() limit_modes=() kept_mutants=()
failures=()
crash_files=() limit_files=()
shown() {
  local file=$1
  if [ -n "${label[$file]:-}" ]; then echo "${label[$file]}"; else echo "$file"; fi
}
for ((id = 0; id < total; ++id)); do
  file=${run_files[id]}
  mode=${run_modes[id]}
  option=plain
  [ "$mode" = plain ] || option=--any-format
  if [ ! -f "$scratch/runs/$id.result" ]; then
    failures+=("$(shown "$file") [$option]: the run left no result")
    continue
  fi
  IFS=$'\x1f' read -r status kind cause problems <"$scratch/runs/$id.result"
  kinds[$kind]=$((${kinds[$kind]:-0} + 1))
  if [ -n "$cause" ]; then
    causes[$cause]=$((${causes[$cause]:-0} + 1))
    key="$cause"$'\t'"$file"
    case $cause in
      "crashed signal "*)
        [ -n "${crash_modes[$key]:-}" ] || crash_files+=("$key")
        crash_modes[$key]+="${crash_modes[$key]:+, }$option"
        ;;
      time | memory | silent | syscall)
        [ -n "${limit_modes[$key]:-}" ] || limit_files+=("$key")
        limit_modes[$key]+="${limit_modes[$key]:+, }$option"
        ;;
    esac
  fi
  if [ -n "$problems" ]; then
    failures+=("$(shown "$file") [$option]: $problems")
    if [ -n "${label[$file]:-}" ]; then kept_mutants[$file]=1; fi
  fi
done

echo
echo "mesh corpus: ${#files[@]} files (${#corpus[@]} of the collections, ${#mutants[@]} mutants), $total runs"
echo "outcomes:"
for kind in imported refused write-failed other-exit parent-signal hang; do
  printf '  %-15s %6d\n' "$kind" "${kinds[$kind]:-0}"
done
if [ ${#causes[@]} -gt 0 ]; then
  echo "causes of the refusals:"
  for cause in "${!causes[@]}"; do
    printf '  %6d  %s\n' "${causes[$cause]}" "$cause"
  done | sort -k1,1nr -k2
fi

echo "crashes of the mesh library that the sandbox contained (${#crash_files[@]} files):"
for key in "${crash_files[@]}"; do
  cause=${key%%$'\t'*} file=${key#*$'\t'}
  echo "  ${cause#crashed }: $(shown "$file") [${crash_modes[$key]}]"
  [ -z "${label[$file]:-}" ] || kept_mutants[$file]=1
done
[ ${#crash_files[@]} -gt 0 ] || echo "  none"
if [ ${#limit_files[@]} -gt 0 ]; then
  echo "other failures of the mesh library that the sandbox contained (${#limit_files[@]}):"
  for key in "${limit_files[@]}"; do
    cause=${key%%$'\t'*} file=${key#*$'\t'}
    echo "  $cause: $(shown "$file") [${limit_modes[$key]}]"
  done
fi

if [ -n "$keep" ] && [ ${#kept_mutants[@]} -gt 0 ]; then
  mkdir -p "$keep"
  for file in "${!kept_mutants[@]}"; do
    directory=${file%/*}
    rm -rf "${keep:?}/${directory##*/}"
    cp -r "$directory" "$keep/"
    printf '%s/%s\t%s\n' "$keep" "${file#"$scratch/mutants/"}" "${label[$file]}"
  done | sort >"$keep/mutants.tsv"
  echo "the mutants that crashed the library or tripped a check are in $keep (mutants.tsv)"
elif [ ${#kept_mutants[@]} -gt 0 ]; then
  echo "(KEEP=DIR keeps the mutants listed here)"
fi

finished=$EPOCHREALTIME
awk -v s="$started" -v e="$finished" \
  'BEGIN {t = e - s; printf "took %d min %d s\n", t / 60, t % 60}'
if [ ${#failures[@]} -gt 0 ]; then
  echo "FAILURES of the command line (${#failures[@]}):"
  printf '  %s\n' "${failures[@]}"
  exit 1
fi
echo "no failures of the command line"
