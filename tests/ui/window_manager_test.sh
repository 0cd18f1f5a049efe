#!/usr/bin/env bash
# brantel-manager on a virtual screen with a window manager (openbox), driven
# as a user would: a close request through the window manager while the list
# generator runs is acknowledged in the caption and carried out after Convert
# and its box; Escape while it runs ends the list generator and what it
# started, and Convert with "Conversion Failed", nothing of the user's changed.
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
manager=$2
export QT_QPA_PLATFORM=xcb  # the suite may run with the offscreen platform

work=$(mktemp -d)
openbox >/dev/null 2>&1 &
openbox_pid=$!
trap 'kill "$openbox_pid" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $description"; fi
}
holds() { [[ -f $1 ]] && printf '%s\r\n' "${@:2}" | cmp -s - "$1"; }
# Waits up to 20 s for a window whose whole title matches; prints its id.
window_named() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
keys_to() { xdotool windowactivate --sync "$1" 2>/dev/null; sleep 0.3; xdotool key --delay 50 "${@:2}"; }
ended_within_20_s() {
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# No such process, or one that has ended and waits only to be reaped.
gone() { ! ps -o stat= -p "$1" | grep -qv Z; }

program=$work/program
mkdir -p "$program/list generator" "$work/start" "$work/mame/ctrlr/OLD"
cp "$manager" "$program/brantel-manager"
# The stand-in runs "sleep" as the real one runs MAME.
cat >"$program/list generator/listgen" <<'SCRIPT'
#!/bin/sh
echo "$*" > ../listgen.ran
sleep "$(cat seconds)" &
echo $! > ../sleep.pid
wait
cp prepared.lst ../masterlist.lst
SCRIPT
chmod +x "$program/list generator/listgen"
printf 'pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2\r\n' >"$program/list generator/prepared.lst"
printf '%s\r\n' '[pacman]' 'P1_JOYSTICK_UP "KEYCODE_UP"' >"$work/mame/ctrlr/OLD/pacman.ini"
start() {
  printf '%s\r\n' OLD "$work/mame/" mame "$1" >"$program/brantel.cfg"
  (cd "$work/start" && exec "$program/brantel-manager") &
  pid=$!
  form=$(window_named "brantel Manager") || { echo "FAILED: the window did not appear"; exit 1; }
}
running="brantel Manager - making the master list, [0-9]+ s"

# --- The window manager's close during Convert: carried out after it.
echo 3 >"$program/list generator/seconds"
start " 0 "
keys_to "$form" alt+c
check "the caption counts the seconds" window_named "brantel Manager - making the master list, 1 s" >/dev/null
wmctrl -i -c "$form"
check "the close request is acknowledged" window_named "$running - closing after Convert" >/dev/null
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "Conversion Complete! shown" test -n "$box"
check "the program ends after Convert by itself" ended_within_20_s "$pid"
check "the settings saved at the close" holds "$program/brantel.cfg" OLD "$work/mame/" mame " 0 "
check "the box unticked: no new list asked for" test "$(cat "$program/listgen.ran")" = "-s -ctrlr"
check "the combined file written" test -s "$work/mame/ctrlr/OLD.cfg"

# --- Escape during Convert, the box ticked: the list generator and its
# child ended, nothing of the user's changed.
echo 600 >"$program/list generator/seconds"
printf 'previous\r\n' >"$program/masterlist.lst"
before=$(cd "$work/mame" && find . -type f -exec md5sum {} + | sort)
start " 1 "
keys_to "$form" alt+c
check "the caption counts the seconds again" window_named "brantel Manager - making the master list, 1 s" >/dev/null
keys_to "$form" Escape
box=$(window_named "Conversion Failed") && keys_to "$box" Return
check "Conversion Failed shown" test -n "$box"
check "the list generator was asked for a new list" test "$(cat "$program/listgen.ran")" = "-s -ctrlr -new"
check "what the list generator started is ended" gone "$(cat "$program/sleep.pid")"
check "the master list kept" holds "$program/masterlist.lst" previous
check "the MAME folder unchanged" test "$(cd "$work/mame" && find . -type f -exec md5sum {} + | sort)" = "$before"
check "the window is back to its caption" window_named "brantel Manager" >/dev/null
keys_to "$form" alt+F4
check "Alt+F4 ends it" ended_within_20_s "$pid"
check "the check box saved" holds "$program/brantel.cfg" OLD "$work/mame/" mame " 1 "
kill "$pid" 2>/dev/null

echo "window with a window manager: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
