#!/usr/bin/env bash
# brantel-manager on a virtual screen with a window manager (openbox), driven
# as a user would. Escape while the list generator runs ends it and what it
# started (as MAME), with "Conversion Cancelled" and nothing of the user's
# changed; a close request through the window manager during Convert is
# acknowledged in the caption and carried out after Convert and its box.
# The window may be resized (no maximum size). With no folder name saved,
# mame.ini's names it; another is picked from Text1's list by the keys; the
# notes dialog is made wider by the keys (the window manager's Resize).
#
#   window_manager_test.sh BRANTEL_MANAGER
#
# Exits 77 (skipped) when Xvfb, openbox, xdotool or wmctrl is missing.
set -uo pipefail
if [[ ${1:-} != --on-display ]]; then
  for tool in xvfb-run openbox xdotool wmctrl; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --on-display "$@"
fi
export QT_QPA_PLATFORM=xcb  # the suite may run with the offscreen platform
source "$(dirname "$0")/../script_checks.sh"
source "$(dirname "$0")/../window_waits.sh"
work=$(mktemp -d)
evidence_files+=("$work/program.log" "$work/openbox.log")
openbox >"$work/openbox.log" 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT
wait_for_window_manager || exit 1
program=$work/program
mkdir -p "$program/list generator" "$work/mame/ctrlr/OLD"
cp "$2" "$program/brantel-manager"
printf '%s\n' '#!/bin/sh' 'echo "$*" >../listgen.ran' 'sleep "$(cat seconds)" &' 'echo $! >../sleep.pid' 'wait' \
  'cp prepared.lst ../masterlist.lst' >"$program/list generator/listgen"
chmod +x "$program/list generator/listgen"
printf 'pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2\r\n' >"$program/list generator/prepared.lst"
printf '%s\r\n' '[pacman]' 'P1_JOYSTICK_UP "KEYCODE_UP"' >"$work/mame/ctrlr/OLD/pacman.ini"
printf '%s\r\n' OLD "$work/mame/" mame " 1 " >"$program/brantel.cfg"
printf '#!/bin/sh\n' >"$work/mame/mame" && chmod +x "$work/mame/mame"  # a MAME for Convert to find
printf 'previous\r\n' >"$program/masterlist.lst"
mame_files() { (cd "$work/mame" && find . -type f -exec md5sum {} + | sort); }
before=$(mame_files)
(cd "$work" && exec "$program/brantel-manager" >"$work/program.log" 2>&1) &
pid=$!
form=$(wait_for_window "brantel Manager") || { echo "FAILED: the window did not appear"; exit 1; }

echo 600 >"$program/list generator/seconds"
keys_to "$form" Return  # in the folder name, which has the focus: Convert
check "the caption counts the seconds" appears "brantel Manager - making the master list, 1 s"
keys_to "$form" Escape
box=$(window_named "Conversion Cancelled") && keys_to "$box" Return
check "Escape: Conversion Cancelled shown" test -n "$box"
check "the ticked box asks for a new list" test "$(cat "$program/listgen.ran")" = "-s -ctrlr -new"
check "Escape: what the list generator started is ended" gone "$(cat "$program/sleep.pid")"
check "Escape: the master list kept" holds "$program/masterlist.lst" previous
check "Escape: the MAME folder unchanged" test "$(mame_files)" = "$before"
keys_to "$form" alt+c
check "the caption counts the seconds once more" appears "brantel Manager - making the master list, 1 s"
keys_to "$form" alt+c  # Cancel's access key, Convert being disabled
box=$(window_named "Conversion Cancelled") && keys_to "$box" Return
check "Alt+C while Convert runs: Conversion Cancelled shown" test -n "$box"

echo 3 >"$program/list generator/seconds"
keys_to "$form" alt+c
check "the caption counts the seconds again" appears "brantel Manager - making the master list, 1 s"
wmctrl -i -c "$form"
check "the close is acknowledged" appears "brantel Manager - making the master list, [0-9]+ s - closing after Convert"
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "Conversion Complete! shown" test -n "$box"
check "the program ends after Convert by itself" ended_within_20_s "$pid"
check "the settings saved at the close, the tick cleared once the list was made" \
  holds "$program/brantel.cfg" OLD "$work/mame/" mame " 0 "
kill "$pid" 2>/dev/null

# --- No folder name saved: mame.ini's ctrlr entry names OLD; the list
# offers ANOTHER too, picked by the keys; its notes dialog made wider.
mkdir -p "$work/mame/ctrlr/ANOTHER"
printf '%s\r\n' '[pacman]' 'P1_JOYSTICK_UP "KEYCODE_8_PAD"' >"$work/mame/ctrlr/ANOTHER/pacman.ini"
printf 'ctrlr OLD\n' >"$work/mame/mame.ini"
printf '%s\r\n' "" "$work/mame/" mame " 0 " >"$program/brantel.cfg"
echo 0 >"$program/list generator/seconds"
(cd "$work" && exec "$program/brantel-manager" >>"$work/program.log" 2>&1) &
pid=$!
form=$(wait_for_window "brantel Manager")
keys_to "$form" alt+F4
ended_within_20_s "$pid"
check "mame.ini: its ctrlr folder shown and saved" holds "$program/brantel.cfg" OLD "$work/mame/" mame " 0 "
(cd "$work" && exec "$program/brantel-manager" >>"$work/program.log" 2>&1) &
pid=$!
form=$(wait_for_window "brantel Manager")
size_hints=$(xprop -id "$form" WM_NORMAL_HINTS 2>/dev/null)
check "resizable: a minimum size and no maximum ($size_hints)" \
  test -n "$(grep 'minimum size' <<<"$size_hints")" -a -z "$(grep 'maximum size' <<<"$size_hints")"
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
shown=$(windows)
keys_to "$form" alt+n alt+Down
list_open() { (($(windows) > shown)); }
check "Text1's list opens on Alt+Down" poll_until list_open
xdotool key --delay 50 a Return
keys_to "$form" alt+c
notes=$(wait_for_window "Conversion Notes")
width_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'; }
narrow=$(width_of "$notes")
keys_to "$notes" alt+space z Right Right Right Right Right Return
wider() { (($(width_of "$notes") > narrow)); }
check "notes dialog: wider after Resize and the arrow keys" poll_until wider
keys_to "$notes" Return
box=$(wait_for_window "Conversion Complete!") && keys_to "$box" Return
check "the folder picked from the list converted" test -f "$work/mame/ctrlr/ANOTHER.cfg"
keys_to "$form" alt+F4
ended_within_20_s "$pid"

# --- At 200 % on this small screen the window keeps within it.
(cd "$work" && QT_SCALE_FACTOR=2 exec "$program/brantel-manager" >>"$work/program.log" 2>&1) &
pid=$!
form=$(wait_for_window "brantel Manager")
eval "$(xdotool getwindowgeometry --shell "$form")"
check "200 %: within the 800x600 screen (${WIDTH}x$HEIGHT at $X,$Y)" test $((X + WIDTH)) -le 800 -a $((Y + HEIGHT)) -le 600
keys_to "$form" alt+F4
ended_within_20_s "$pid"
# --- First start: the MAME on the PATH tells where its ctrlr folder is,
# and the only old folder there is the folder name.
first=$work/first
cp -r "$program" "$first" && rm -f "$first/brantel.cfg"
mkdir -p "$work/bin" "$work/home/games/ctrlr/cab"
printf '%s\r\n' '[pacman]' >"$work/home/games/ctrlr/cab/pacman.ini"
printf '#!/bin/sh\n[ "$1" = -showconfig ] && printf "ctrlrpath $HOME/games/ctrlr\\ninipath $HOME/.mame\\n"\n' >"$work/bin/mame"
chmod +x "$work/bin/mame"
(cd "$work" && HOME=$work/home PATH=$work/bin:$PATH exec "$first/brantel-manager" >>"$work/program.log" 2>&1) &
pid=$!
form=$(wait_for_window "brantel Manager")
keys_to "$form" alt+F4
ended_within_20_s "$pid"
check "first start: the texts from the MAME on the PATH" holds "$first/brantel.cfg" cab "$work/home/games/" mame " 0 "
echo "window with a window manager: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
