#!/usr/bin/env bash
# What the master list kept between Converts saves, with the installed MAME:
#  - a second Convert (MAME unchanged, so the list generator keeps its list)
#    against the same Convert with a stand-in list generator that does
#    nothing: the price of the list generator's check (target within 1.30);
#  - a first Convert (no list yet) against `mame -listxml > /dev/null` alone
#    (target within 1.10).
# Prints figures only; it judges nothing.
#
#   bench/reuse_bench.sh [INI_FILES]      (default 10, a small folder)
#
# Each time is the best of RUNS runs (default 3); the short Converts are run
# CONVERT_RUNS times (default 15), as they are easily disturbed.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/timing.sh

convert=$(realpath build/bin/brantel-convert)
listgen=$(realpath "build/bin/list generator/listgen")
mame=/usr/games/mame
files=${1:-10}
[[ -x $convert && -x $listgen ]] || { echo "build first (scripts/test.sh or cmake --build build)" >&2; exit 1; }
[[ -x $mame ]] || { echo "SKIP: no MAME at $mame"; exit 0; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# MAME's folder as a Linux user keeps it: the ctrlr folder, and the program
# reached through a link, as Debian installs it elsewhere.
mkdir -p "$work/mame/ctrlr/old"
ln -s "$mame" "$work/mame/mame"
printf '[default]\r\nP1_BUTTON1 "KEYCODE_LCONTROL"\r\n' > "$work/mame/ctrlr/old/default.ini"
for ((i = 0; i < files; i++)); do
  printf '[game%d]\r\nP1_BUTTON1 "KEYCODE_A | JOYCODE_1_BUTTON1"\r\nP1_PADDLE "KEYCODE_LEFT"\r\nP1_PADDLE_EXT "KEYCODE_RIGHT"\r\n' \
    "$i" > "$work/mame/ctrlr/old/game$i.ini"
done

make_program_folder() {  # FOLDER LISTGEN
  mkdir -p "$1/list generator"
  cp "$convert" "$1/"
  cp "$2" "$1/list generator/listgen"
}
make_program_folder "$work/real" "$listgen"
printf '#!/bin/sh\nexit 0\n' > "$work/stand-in-listgen"
chmod +x "$work/stand-in-listgen"
make_program_folder "$work/stand-in" "$work/stand-in-listgen"

convert_in() {  # PROGRAM_FOLDER: one Convert of the folder "old"
  "$1/brantel-convert" old "$work/mame/" mame > "$work/convert.out" ||
    { cat "$work/convert.out" >&2; return 1; }
}
first_convert() { rm -f "$work/real/masterlist.lst" && convert_in "$work/real"; }
mame_alone() { "$mame" -listxml > /dev/null; }

convert_in "$work/real"
cp "$work/real/masterlist.lst" "$work/stand-in/"
echo "MAME: $mame ($("$mame" -version | cut -d' ' -f1)), $(wc -l < "$work/real/masterlist.lst") machines"
echo "cores: $(nproc), best of ${RUNS:-3} runs (short Converts: ${CONVERT_RUNS:-15}), $((files + 1)) INI files"

stand_in_convert() { convert_in "$work/stand-in"; }
second_convert() { convert_in "$work/real"; }
read -r t_stand_in t_second < <(RUNS=${CONVERT_RUNS:-15} best_of_both stand_in_convert second_convert)
echo "Convert, stand-in list generator : ${t_stand_in} s"
echo "second Convert, MAME unchanged   : ${t_second} s"
echo "ratio second / stand-in          : $(ratio "$t_stand_in" "$t_second")   (target within 1.30)"

read -r t_mame t_first < <(best_of_both mame_alone first_convert)
echo "mame -listxml > /dev/null        : ${t_mame} s"
echo "first Convert, no list yet       : ${t_first} s"
echo "ratio first / mame -listxml      : $(ratio "$t_mame" "$t_first")   (target within 1.10)"
