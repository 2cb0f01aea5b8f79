#!/bin/sh
# module_holds_no_engine.sh NM ENGINE MODULE
# Fails when the mesh formats' module holds a function of the engine's own
# code: the module is to use the engine the program has loaded, so that a
# process holds one table of unfinished files (and one of every other
# global the engine may come to have). Functions defined in headers are
# made wherever they are used and do not count.
set -eu
nm=$1 engine=$2 module=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$nm" --defined-only "$engine" | awk '$2 == "T" { print $3 }' | sort -u \
  > "$work/engine"
"$nm" --defined-only "$module" | awk '$2 ~ /^[TtWw]$/ { print $3 }' | sort -u \
  > "$work/module"
# Without symbols to compare, the comparison would pass for nothing.
for list in engine module; do
  if [ ! -s "$work/$list" ]; then
    echo "no functions listed for the $list" >&2
    exit 1
  fi
done
grep -q CreateUnfinishedFile "$work/engine" || {
  echo "the engine lacks its table of unfinished files" >&2
  exit 1
}
comm -12 "$work/engine" "$work/module" > "$work/both"
if [ -s "$work/both" ]; then
  echo "the module holds $(wc -l < "$work/both") functions of the engine:" >&2
  head -20 "$work/both" >&2
  exit 1
fi
