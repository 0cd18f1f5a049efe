#!/usr/bin/env bash
# brantel-manager on a virtual screen with a window manager (openbox), driven
# as a user would. Escape while the list generator runs ends it and what it
# started (as MAME), with "Conversion Failed" and nothing of the user's
# changed; a close request through the window manager during Convert is
# acknowledged in the caption and carried out after Convert and its box.
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
work=$(mktemp -d)
openbox >/dev/null 2>&1 &
trap 'kill $! 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done  # openbox ready
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
(cd "$work" && exec "$program/brantel-manager") &
pid=$!
form=$(window_named "brantel Manager") || { echo "FAILED: the window did not appear"; exit 1; }

echo 600 >"$program/list generator/seconds"
keys_to "$form" alt+c
check "the caption counts the seconds" appears "brantel Manager - making the master list, 1 s"
keys_to "$form" Escape
box=$(window_named "Conversion Failed") && keys_to "$box" Return
check "Escape: Conversion Failed shown" test -n "$box"
check "the ticked box asks for a new list" test "$(cat "$program/listgen.ran")" = "-s -ctrlr -new"
check "Escape: what the list generator started is ended" gone "$(cat "$program/sleep.pid")"
check "Escape: the master list kept" holds "$program/masterlist.lst" previous
check "Escape: the MAME folder unchanged" test "$(mame_files)" = "$before"

echo 3 >"$program/list generator/seconds"
keys_to "$form" alt+c
check "the caption counts the seconds again" appears "brantel Manager - making the master list, 1 s"
wmctrl -i -c "$form"
check "the close is acknowledged" appears "brantel Manager - making the master list, [0-9]+ s - closing after Convert"
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "Conversion Complete! shown" test -n "$box"
check "the program ends after Convert by itself" ended_within_20_s "$pid"
check "the settings saved at the close" holds "$program/brantel.cfg" OLD "$work/mame/" mame " 1 "
kill "$pid" 2>/dev/null
echo "window with a window manager: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
