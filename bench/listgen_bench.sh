#!/usr/bin/env bash
# How the list generator compares with MAME's own -listxml run on this
# machine: the time of `mame -listxml > /dev/null`, the time of listgen on the
# same MAME, their ratio, and listgen's peak memory. Prints figures only; it
# judges nothing.
#
#   bench/listgen_bench.sh [LISTGEN [MAME]]
#
# LISTGEN defaults to the one in build/bin/list generator/, MAME to
# /usr/games/mame. Each run is made RUNS times (default 3); the best is shown.
set -euo pipefail
cd "$(dirname "$0")/.."

listgen=$(realpath "${1:-build/bin/list generator/listgen}")
mame=$(realpath "${2:-/usr/games/mame}")
runs=${RUNS:-3}
source bench/timing.sh
[[ -x "$listgen" ]] || { echo "no list generator at $listgen (build first)" >&2; exit 1; }
[[ -x "$mame" ]] || { echo "SKIP: no MAME at $mame"; exit 0; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A program folder as Convert leaves it: the settings, then the tool.
make_program_folder() {  # FOLDER MAME_FOLDER MAME_NAME
  mkdir -p "$1/list generator"
  cp "$listgen" "$1/list generator/"
  printf 'bench\r\n%s\r\n%s\r\n' "${2//\//\\}" "$3" > "$1/brantel.cfg"
}

mame_alone() { "$mame" -listxml > /dev/null; }
# Without its list the list generator asks MAME anew instead of keeping it.
listgen_in() { rm -f "$1/masterlist.lst" && (cd "$1/list generator" && ./listgen -s -ctrlr); }

# listgen's own peak (VmHWM), read until it ends; MAME's memory is not counted.
listgen_peak_kb() {
  local peak=0 hwm
  rm -f "$1/masterlist.lst"
  (cd "$1/list generator" && exec ./listgen -s -ctrlr) &
  local pid=$!
  while [[ -r /proc/$pid/status ]]; do
    hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    [[ -n "$hwm" ]] && ((hwm > peak)) && peak=$hwm
    sleep 0.02
  done
  wait "$pid"
  echo "$peak"
}

make_program_folder "$work/program" "$(dirname "$mame")/" "$(basename "$mame")"
machines=$(listgen_in "$work/program" >/dev/null; wc -l < "$work/program/masterlist.lst")
xml_mb=$(("$mame" -listxml | wc -c) | awk '{printf "%.0f", $1 / 1048576}')

echo "MAME: $mame ($("$mame" -version | cut -d' ' -f1)), $machines machines, -listxml ${xml_mb} MB"
echo "cores: $(nproc), best of $runs runs"
t_mame=$(best_of mame_alone)
t_listgen=$(best_of listgen_in "$work/program")
echo "mame -listxml > /dev/null : ${t_mame} s"
echo "listgen -s -ctrlr         : ${t_listgen} s"
echo "ratio listgen / mame      : $(ratio "$t_mame" "$t_listgen")   (target within 1.10)"

if command -v taskset > /dev/null && (($(nproc) >= 2)); then
  # MAME keeps core 0 in both runs and listgen parses on core 1: how far the
  # parse overlaps MAME's output when it has a core of its own.
  mkdir -p "$work/pinned-mame"
  printf '#!/bin/sh\nexec taskset -c 0 "%s" "$@"\n' "$mame" > "$work/pinned-mame/mame"
  chmod +x "$work/pinned-mame/mame"
  make_program_folder "$work/pinned" "$work/pinned-mame/" mame
  pinned_mame() { taskset -c 0 "$mame" -listxml > /dev/null; }
  pinned_listgen() {
    rm -f "$work/pinned/masterlist.lst"
    taskset -c 1 bash -c 'cd "$1/list generator" && ./listgen -s -ctrlr' _ "$work/pinned"
  }
  t_pinned_mame=$(best_of pinned_mame)
  t_pinned_listgen=$(best_of pinned_listgen)
  echo "one core each: mame ${t_pinned_mame} s, listgen ${t_pinned_listgen} s," \
    "ratio $(ratio "$t_pinned_mame" "$t_pinned_listgen")"
fi

peak=$(listgen_peak_kb "$work/program")
echo "listgen peak memory       : $((peak / 1024)) MB (${peak} kB VmHWM)   (target under 50 MB)"
