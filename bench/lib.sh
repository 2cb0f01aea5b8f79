# shellcheck shell=bash
# Shell helpers shared by the end-to-end benchmarks (e2e.sh, scale.sh).
# measure() writes its report into the directory named by `scratch`.

bench_name=${0##*/}

# Exits unless every given program is there and executable.
require_tools() {
  local tool
  for tool in "$@"; do
    if [ ! -x "$tool" ]; then
      echo "$bench_name: $tool is missing; build it first" >&2
      exit 1
    fi
  done
  if [ ! -x /usr/bin/time ]; then
    echo "$bench_name: /usr/bin/time is missing; install the Debian package 'time'" >&2
    exit 1
  fi
}

# Runs one command under /usr/bin/time, its own standard output (the
# converter's status line) dropped, and prints "WALL CPU KIB": wall-clock
# seconds, user + system seconds and the peak resident set size. The CPU
# seconds are the steadier figure on a machine that others share.
measure() {
  local report=${scratch:?}/time.txt
  local start=$EPOCHREALTIME
  if ! /usr/bin/time -f '%U %S %M' -o "$report" "$@" >/dev/null; then
    echo "$bench_name: failed: $*" >&2
    exit 1
  fi
  local end=$EPOCHREALTIME
  awk -v s="$start" -v e="$end" \
    'END {printf "%.3f %.2f %d\n", e - s, $1 + $2, $3}' "$report"
}

median() {
  printf '%s\n' "$@" | sort -g |
    awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'
}
# a / b with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else printf "-"}'; }
mib() { awk -v b="$1" 'BEGIN {printf "%.1f", b / 1048576}'; }
