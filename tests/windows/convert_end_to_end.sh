#!/usr/bin/env bash
# End-to-end runs of brantel-convert.exe under Wine, as a Windows user would
# run it: the program in a program folder of its own, the stand-in list
# generator as "list generator\listgen.exe" beside it, and old controller
# folders under MAME paths with drive letters: Z:\... (Wine's view of the
# Linux root) and the default C:\mame\ (in the Wine prefix's drive_c).
#
#   convert_end_to_end.sh BRANTEL_CONVERT_EXE STAND_IN_LISTGEN_EXE [LISTGEN_EXE STAND_IN_MAME_EXE]
#
# With the last two, one more run goes through the whole chain: the real
# list generator reads the stand-in MAME that the settings name.
#
# Uses $WINEPREFIX when set (scripts/test-windows.sh makes a fresh one),
# otherwise makes a temporary prefix. Exits 77 when Wine is missing.
set -uo pipefail

convert_exe=$1
stand_in_exe=$2
listgen_exe=${3:-}
stand_in_mame_exe=${4:-}

if ! command -v wine >/dev/null; then
  echo "SKIP: wine is not installed"
  exit 77
fi
source "$(dirname "$0")/wine_checks.sh"

absent() { [[ ! -e $1 ]]; }
no_cfg_files_in() { ! compgen -G "$1/*.cfg" >/dev/null && ! compgen -G "$1/*.CFG" >/dev/null; }
output_has() { grep -qxF -- "$1" <<<"$output"; }
output_lacks() { ! grep -qF -- "$1" <<<"$output"; }

# A program folder: brantel-convert.exe, and the stand-in as the list
# generator, which copies prepared.lst to the master list.
make_program_folder() {
  local folder=$1
  mkdir -p "$folder/list generator"
  cp "$convert_exe" "$folder/brantel-convert.exe"
  cp "$stand_in_exe" "$folder/list generator/listgen.exe"
  printf '%s\r\n' \
    "pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2" \
    "mspacman|Ms. Pac-Man|1981|Midway|pacman|MAME|x|x|x|2" \
    "sample|Sample|1990|Maker|sample|MAME|x|x|x|2" \
    >"$folder/list generator/prepared.lst"
}

make_ini() { printf '%s\r\n' "[$2]" "P1_BUTTON1 \"$3\"" >"$1"; }

# Runs the program in FOLDER with the remaining arguments; sets $output (CRs
# removed; standard output, then the failures) and $status.
run_convert() {
  local folder=$1
  shift
  output=$(cd "$work" && wine "$folder/brantel-convert.exe" "$@" 2>"$work/stderr" | tr -d '\r'
           exit "${PIPESTATUS[0]}")
  status=$?
  # Failures come on standard error, among what Wine may say there.
  failures=$(tr -d '\r' <"$work/stderr" | grep -E '^(File Path Error|Conversion Failed): ')
  output+=${output:+${failures:+$'\n'}}$failures
}

output_matches() { grep -qE -- "$1" <<<"$output"; }
# The names of the system elements of a combined controller file, in order.
system_names() { grep -so '<system name="[^"]*">' "$1" | sed 's/<system name="\(.*\)">/\1/' | tr '\n' ' '; }
# True when the texts first appear in FILE in this order, each on a later line.
in_order() {
  local file=$1 last=0 line
  shift
  for text in "$@"; do
    line=$(grep -nF -m1 -- "$text" "$file" | cut -d: -f1)
    [[ -n $line && $line -gt $last ]] || return 1
    last=$line
  done
}
every_line_ends_in_cr_lf() { [[ -f $1 && $(grep -c $'\r$' "$1") == $(wc -l <"$1") ]]; }

complete_line="Conversion Complete!: You can either keep your old folder or safely remove it at this time."
# The stand-in MAME cannot be started, so the answer comes from mame.ini.
guess=" (a guess: MAME itself could not be asked, as it could not be started)"
set_ctrlr() { echo "Conversion Complete!: For MAME to use it, set ctrlr $1 in mame.ini, or start MAME with -ctrlr $1$guess"; }

# --- A folder on drive Z: holding SAMPLE.INI, grouped by the master list.
program=$work/program
make_program_folder "$program"
mame=$work/mame
arcade=$mame/ctrlr/arcade
mkdir -p "$arcade"
: >"$mame/mame.exe"  # a MAME for Convert to find
make_ini "$arcade/default.ini" default KEY_ENTER
make_ini "$arcade/mspacman.ini" mspacman KEY_M
make_ini "$arcade/pacman.ini" pacman KEY_P
make_ini "$arcade/SAMPLE.INI" SAMPLE KEY_S
make_ini "$arcade/zaxxon.ini" zaxxon KEY_Z
# The user's own cfg file, as MAME writes one: each system goes where its own
# name puts it, after the translated section of that name.
user_system() { printf '    <system name="%s"><input><port type="P1_BUTTON1"><newseq type="standard">%s</newseq></port></input></system>\n' "$@"; }
{
  printf '<?xml version="1.0"?>\n<mameconfig version="10">\n'
  user_system pacman KEY_U
  user_system default KEY_V
  user_system stale KEY_W
  printf '</mameconfig>\n'
} >"$arcade/MINE.cfg"
cp "$arcade/MINE.cfg" "$work/MINE.cfg"
mame_z=$(windows_path "$mame")  # typed without the final backslash

run_convert "$program" arcade "$mame_z"
check "Z: conversion succeeds ($status: $output)" is "$status" 0
check "Z: completion message printed" output_has "$complete_line"
check "Z: completion names the new file" output_has "Conversion Complete!: The new controller file is $mame_z\\ctrlr\\arcade.cfg"
check "Z: completion says what to set" output_has "$(set_ctrlr arcade)"
check "Z: combined controller file written beside the folder" test -f "$mame/ctrlr/arcade.cfg"
check "Z: sections in the order default, unlisted, parents, clones" \
  is "$(system_names "$mame/ctrlr/arcade.cfg")" "default default stale zaxxon pacman pacman SAMPLE mspacman "
check "Z: the user's systems each after the translated section of its name" \
  in_order "$mame/ctrlr/arcade.cfg" '>KEY_ENTER<' '>KEY_V<' '>KEY_P<' '>KEY_U<'
check "Z: SAMPLE.INI translated" contains "$mame/ctrlr/arcade.cfg" '<newseq type="standard">KEY_S</newseq>'
check "Z: lines end in CR LF" every_line_ends_in_cr_lf "$mame/ctrlr/arcade.cfg"
check "Z: intermediate cfg files deleted, the user's kept as it was" \
  is "$(cd "$arcade" && ls | grep -i '\.cfg$')" MINE.cfg
check "Z: the user's cfg file unchanged" cmp -s "$arcade/MINE.cfg" "$work/MINE.cfg"
check "Z: INI files kept" test -f "$arcade/SAMPLE.INI" -a -f "$arcade/default.ini"
check "Z: settings file holds the texts, the path with its backslash, the check box" \
  holds "$program/brantel.cfg" arcade "$mame_z\\" mame.exe " 0 "
check "Z: list generator started hidden from its folder with its arguments" \
  holds "$program/listgen-start.txt" \
  "folder: $(windows_path "$program")\\list generator" "flags: 257" "show: 0"
check "Z: list generator given its arguments" is "$(cat "$program/listgen.ran")" "-s -ctrlr"

# --- MAME's own mame.ini names the folder, in other letters: MAME uses the file.
printf 'ctrlr                     ARCADE\r\n' >"$mame/mame.ini"
run_convert "$program" arcade "$mame_z"
check "mame.ini: MAME probably uses the file ($output)" \
  output_has "Conversion Complete!: MAME probably uses it: the ctrlr line of $mame_z\\mame.ini names arcade$guess"
rm "$mame/mame.ini"

# --- A MAME that is not there stops Convert before the list generator runs;
# a name without ".exe" finds mame.exe.
rm -f "$program/listgen.ran" "$mame/ctrlr/arcade.cfg"
run_convert "$program" arcade "$mame_z" mame64.exe
check "no such MAME: path error ($status: $output)" is "$status" 1
check "no such MAME: message" output_has "File Path Error: MAME Not Found!"
check "no such MAME: names what was looked for" output_has "File Path Error: $mame_z\\mame64.exe"
check "no such MAME: list generator not started" absent "$program/listgen.ran"
check "no such MAME: nothing written" absent "$mame/ctrlr/arcade.cfg"
run_convert "$program" arcade "$mame_z" mame
check "MAME named without .exe: conversion succeeds ($status: $output)" is "$status" 0

# --- The default MAME path C:\mame\, from a settings file of empty lines.
drive_c=$WINEPREFIX/drive_c
if [[ -e $drive_c/mame ]]; then
  echo "SKIP: $drive_c/mame exists already; the C:\\mame\\ cases leave it alone"
else
  defaults=$work/defaults
  make_program_folder "$defaults"
  printf '\r\n\r\n\r\n' >"$defaults/brantel.cfg"
  hotrod=$drive_c/mame/ctrlr/hotrod
  mkdir -p "$hotrod"
  : >"$drive_c/mame/mame.exe"
  make_ini "$hotrod/pacman.ini" pacman KEY_P
  run_convert "$defaults" --saved
  check "C: defaults convert C:\\mame\\ctrlr\\hotrod ($status: $output)" is "$status" 0
  check "C: combined controller file in C:\\mame\\ctrlr" contains "$drive_c/mame/ctrlr/hotrod.cfg" '<system name="pacman">'
  check "C: settings file holds the defaults" holds "$defaults/brantel.cfg" hotrod 'C:\mame\' mame.exe " 0 "

  # A settings file stored as BRANTEL.CFG is found by the lookup but is not
  # "brantel.cfg": nothing is read, and the window's first texts
  # (stormcabinet, e:\mame\) name no folder.
  upper=$work/upper
  make_program_folder "$upper"
  printf '%s\r\n' hotrod 'C:\mame\' mame.exe >"$upper/BRANTEL.CFG"
  run_convert "$upper" --saved
  check "BRANTEL.CFG not loaded: the first texts name no folder ($status: $output)" is "$status" 1
  check "BRANTEL.CFG not loaded: Directory Not Found" output_has "File Path Error: Directory Not Found!"
  check "BRANTEL.CFG not loaded: list generator not started" absent "$upper/listgen.ran"
  # Writing brantel.cfg rewrites the same file, whose stored name stays.
  run_convert "$upper" hotrod 'C:\mame'
  check "BRANTEL.CFG: conversion with typed texts ($status: $output)" is "$status" 0
  check "BRANTEL.CFG: rewritten under its stored name" \
    is "$(ls "$upper" | grep -i '^brantel\.cfg$')" BRANTEL.CFG
  check "BRANTEL.CFG: holds the texts and the check box" holds "$upper/BRANTEL.CFG" hotrod 'C:\mame\' mame.exe " 0 "
  rm -rf "$drive_c/mame"
fi

# --- A folder with cfg files but no INI file.
mkdir -p "$mame/ctrlr/old"
printf '<system name="old">\r\n</system>\r\n' >"$mame/ctrlr/old/old.cfg"
rm -f "$program/listgen.ran"
run_convert "$program" old "$mame_z\\"
check "no INI files: path error ($status: $output)" is "$status" 1
check "no INI files: message" output_has "File Path Error: No INI files found in this folder!"
check "no INI files: list generator ran first" test -f "$program/listgen.ran"
check "no INI files: nothing deleted" test -f "$mame/ctrlr/old/old.cfg"

# --- No listgen.exe: the start fails, Convert goes on with the master list
# that the program folder holds.
no_tool=$work/no-tool
make_program_folder "$no_tool"
rm "$no_tool/list generator/listgen.exe"
printf '%s\r\n' "pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2" >"$no_tool/masterlist.lst"
run_convert "$no_tool" arcade "$mame_z\\"
check "no list generator: conversion goes on ($status: $output)" is "$status" 0
check "no list generator: combined controller file written" contains "$mame/ctrlr/arcade.cfg" '<system name="zaxxon">'

# --- No "list generator" folder: the change of folder fails before any
# translation, naming the folder and the system's reason.
no_folder=$work/no-folder
make_program_folder "$no_folder"
rm -r "$no_folder/list generator"
rm -f "$mame/ctrlr/arcade.cfg"
run_convert "$no_folder" arcade "$mame_z\\"
check "no list generator folder: failure ($status: $output)" is "$status" 2
check "no list generator folder: message names the folder" \
  output_matches '^Conversion Failed: .*list generator.*Extract all files first'

check "no list generator folder: nothing translated" is "$(cd "$arcade" && ls | grep -i '\.cfg$')" MINE.cfg

# --- Killed outright while the list generator runs: the job it runs in ends
# with the program's last handle, the list generator and what it started too.
killed=$work/killed
make_program_folder "$killed"
echo 2 >"$killed/list generator/running-seconds.txt"
(cd "$work" && exec wine "$killed/brantel-convert.exe" arcade "$mame_z\\" >/dev/null 2>&1) &
killed_pid=$!
# The stand-in's own child, in this Wine prefix, once it runs.
child_running() {
  local pid
  for pid in $(pgrep -f 'listgen.exe --child'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=${WINEPREFIX:-}" && return 0
  done
  return 1
}
i=0
until child_running || ((i++ >= 400)); do sleep 0.05; done
check "killed outright: the list generator started its child" child_running
kill -9 "$killed_pid"
wait "$killed_pid" 2>/dev/null
# The list generator would have ended, and said so, 2.2 s after its start.
i=0
until [[ -e $killed/listgen.ran ]] || ((i++ >= 60)); do sleep 0.05; done
check "killed outright: the list generator did not run on" absent "$killed/listgen.ran"
check "killed outright: nor what it started" absent "$killed/child-ended.txt"

# --- Names beyond ASCII, as under a user folder such as C:\Users\José: the
# file list, the file opens and the deletions all see the same names.
accented=$work/mam$'\xc3\xa9'
mkdir -p "$accented/ctrlr/vieux"
: >"$accented/mame.exe"
make_ini "$accented/ctrlr/vieux/d"$'\xc3\xa9'"mo.ini" demo KEY_D
make_ini "$accented/ctrlr/vieux/pacman.ini" pacman KEY_P
run_convert "$program" vieux "$(windows_path "$accented")\\"
check "accented path and name: conversion succeeds ($status: $output)" is "$status" 0
check "accented path and name: INI translated" contains "$accented/ctrlr/vieux.cfg" '>KEY_D</newseq>'
check "accented path and name: intermediate cfg files deleted" no_cfg_files_in "$accented/ctrlr/vieux"

# --- The whole chain: Convert starts the real list generator, which runs the
# MAME named by the settings just written and classifies its machines.
if [[ -n $listgen_exe ]]; then
  chain=$work/chain
  mkdir -p "$chain/list generator"
  cp "$convert_exe" "$chain/brantel-convert.exe"
  cp "$listgen_exe" "$chain/list generator/listgen.exe"
  chain_mame=$work/chain-mame
  mkdir -p "$chain_mame/ctrlr/arcade"
  cp "$stand_in_mame_exe" "$chain_mame/mame.exe"
  for game in default mspacman neogeo pacman zaxxon; do
    make_ini "$chain_mame/ctrlr/arcade/$game.ini" "$game" KEY_1
  done
  make_ini "$chain_mame/ctrlr/arcade/SAMPLE.INI" SAMPLE KEY_S
  run_convert "$chain" arcade "$(windows_path "$chain_mame")\\" mame.exe
  check "whole chain: conversion succeeds ($status: $output)" is "$status" 0
  check "whole chain: master list written by listgen.exe" contains "$chain/masterlist.lst" "mspacman|"
  check "whole chain: BIOS and unknown names first, then parents, then clones" \
    is "$(system_names "$chain_mame/ctrlr/arcade.cfg")" "default neogeo zaxxon pacman SAMPLE mspacman "

  # A MAME at $1 like the chain's, but not the one a list was made from; it
  # crashes when given $2.
  mame_copy() {
    [[ -d $1/ctrlr/arcade ]] || { mkdir -p "$1/ctrlr" && cp -r "$chain_mame/ctrlr/arcade" "$1/ctrlr/"; }
    cp "$stand_in_mame_exe" "$1/mame.exe" && printf x >>"$1/mame.exe"
    if [[ -n ${2:-} ]]; then echo "$2" >"$1/exit-code.txt"; else rm -f "$1/exit-code.txt"; fi
  }
  mame_copy "$chain_mame" 3221225477  # changed since the list was made, and crashing
  run_convert "$chain" arcade "$(windows_path "$chain_mame")\\" mame.exe
  check "MAME crashed: its list kept, the crash in words ($status: $output)" \
    eval '[[ $status == 0 ]] && output_matches "exception 0xC0000005 \(access violation\)"'
  mame_copy "$work/other-mame" 3221225477
  run_convert "$chain" arcade "$(windows_path "$work/other-mame")\\" mame.exe
  check "another MAME crashed: the list kept is not its own ($status: $output)" \
    eval '[[ $status == 2 ]] && output_matches "did not make the master list of this MAME .*made from another MAME"'
  # Under Wine no program starts from a path beyond 260 characters, even by
  # its short name (Windows takes that): the list generator says why.
  long_mame=$work/$(printf 'm%.0s' {1..120})/$(printf 'a%.0s' {1..120})
  mame_copy "$long_mame"
  run_convert "$chain" arcade "$(windows_path "$long_mame")\\" mame.exe
  check "long MAME path: said too long ($status: $output)" eval '[[ $status == 2 ]] &&
    output_matches "Could not start .*: the path has [0-9]{3,} characters, more than Windows starts a program from"'
  mame_copy "$chain_mame"
  for form in '\\?\' '\\.\'; do
    run_convert "$chain" arcade "$form$(windows_path "$chain_mame")\\" mame.exe
    check "MAME path typed $form...: MAME started, its list made ($status: $output)" \
      eval '[[ $status == 0 ]] && output_lacks "could not be made anew"'
  done
fi

echo "convert end to end: $passed passed, $failed failed"
[[ $failed == 0 ]]
