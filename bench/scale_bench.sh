#!/usr/bin/env bash
# Convert at the scale of a real cabinet: 2,000 INI files against the master
# list that the list generator makes from the installed MAME (45,000 lines),
# then against a generated list of the same size. Prints figures only, among
# them the ratio of Convert to the job's physical floor written in C.
#
#   bench/scale_bench.sh [INI_FILES]
set -euo pipefail
cd "$(dirname "$0")/.."

bench=build/bench/convert_bench
listgen="build/bin/list generator/listgen"
[[ -x $bench && -x $listgen ]] || { echo "build first (scripts/test.sh or cmake --build build)" >&2; exit 1; }
files=${1:-2000}

echo "== generated master list (45,000 machines)"
"$bench" "$files"

if [[ ! -x /usr/games/mame ]]; then
  echo "SKIP: no MAME at /usr/games/mame for the real master list"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/list generator"
cp "$listgen" "$work/list generator/"
printf 'bench\r\n/usr/games/\r\nmame\r\n' > "$work/brantel.cfg"
(cd "$work/list generator" && ./listgen -s -ctrlr)
echo "== master list of the installed MAME ($(wc -l < "$work/masterlist.lst") lines)"
"$bench" "$files" "$work/masterlist.lst"
