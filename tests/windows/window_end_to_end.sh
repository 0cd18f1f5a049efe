#!/usr/bin/env bash
# brantel-manager.exe under Wine on a virtual screen, driven as a user would
# with xdotool: its message box alone first, "Use it in MAME" offered and
# each way to end it; then the focus starting in the folder name, the three
# texts typed (the folder name with a trailing dot and space), Tab in the
# order seen, File1 following the texts, the folder picked from Text1's list
# by the keys, Return in the box running Convert, Copy and Ctrl+C in
# "Conversion Complete!", Alt+C, Alt+F4. Then once more, the check box
# ticked, with a list generator that runs for a few seconds: the controls are
# disabled but Cancel, the progress line shows a busy bar, the caption counts the seconds, a second Alt+C and
# Alt+F4 come meanwhile, the caption acknowledges the close, and the program
# ends by itself after Convert and its box; before that, Escape while the list
# generator runs ends it and its child with "Conversion Cancelled", and
# nothing of the user's changes. Then a folder named "Łódź", typed and loaded
# again; a start without a saved folder name, which mame.ini's gives; the
# notes dialog, widened by the keys, whose last note is copied into a box;
# and a run at 144 DPI, whose first label must be drawn whole, half as large
# again. Keys type what a keyboard has (ASCII, access keys); "Łódź" is
# pasted from the clipboard, as a user who cannot type it would.
#
#   window_end_to_end.sh BRANTEL_MANAGER_EXE STAND_IN_LISTGEN_EXE WINDOW_PROBE_EXE MESSAGE_BOX_DRIVER_EXE
#
# Uses $WINEPREFIX when set. Exits 77 when Wine, Xvfb or xdotool is missing.
set -uo pipefail

if [[ ${1:-} != --on-display ]]; then
  for tool in wine xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --on-display "$@"
fi
manager_exe=$2
stand_in_exe=$3
probe_exe=$4
driver_exe=$5
source "$(dirname "$0")/wine_checks.sh"
source "$(dirname "$0")/../window_waits.sh"
evidence_files+=("$work/program.log")
shown_now() { shown=$(wine "$probe_exe" | tr -d '\r'); [[ $shown == "$1" ]]; }
# The window shows this (what it shows follows typing and Convert a moment later).
shows() {
  local shown
  poll_until shown_now "$1" || { echo "shown: $shown"; return 1; }
}
text1_now() {
  shown=$(wine "$probe_exe" text1 | tr -d '\r')
  [[ $1 == *$'\n'* ]] || shown=${shown%%$'\n'*}
  [[ $shown == "$1" ]]
}
# Text1 shows this text, and this list when given (lines "offers: NAME"), in UTF-8.
text1_shows() {
  local shown
  poll_until text1_now "$1" || { echo "Text1 shows: $shown"; return 1; }
}
# The probe tells this (its first line), in the mode given after it.
probe_now() { shown=$(wine "$probe_exe" "${@:2}" | tr -d '\r'); [[ $shown == "$1" ]]; }
probe_tells() { local shown; poll_until probe_now "$@" || { echo "${2:-}: $shown"; return 1; }; }
focus_is() { probe_tells "$1" focus; }
progress_is() { probe_tells "$1" progress; }
# The clipboard holds exactly these bytes (base64 of them).
clipboard_now() { shown=$(wine "$probe_exe" clipboard read | base64 -w0); [[ $shown == "$1" ]]; }
clipboard_holds() { local shown; poll_until clipboard_now "$(printf '%s' "$1" | base64 -w0)" || { echo "clipboard: $shown"; return 1; }; }

program=$work/program
mkdir -p "$program/list generator" "$work/start" "$work/mame/ctrlr/OLD"
cp "$manager_exe" "$program/brantel-manager.exe"
cp "$stand_in_exe" "$program/list generator/listgen.exe"
printf 'pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2\r\n' >"$program/list generator/prepared.lst"
printf '%s\r\n' '[default]' 'P1_BUTTON1 "KEYCODE_LCONTROL"' >"$work/mame/ctrlr/OLD/default.ini"
printf '%s\r\n' '[pacman]' 'P1_JOYSTICK_UP "KEYCODE_UP"' >"$work/mame/ctrlr/OLD/pacman.ini"
: >"$work/mame/mame.exe"  # a MAME for Convert to find
mame_z=$(windows_path "$work/mame")
zone='              '
port() {
  printf '%s\r\n' "<system name=\"$1\">" "${zone}<input>" "" "<!-- [$1] -->" "" \
    "$zone$zone<port type=\"$2\">" "$zone$zone$zone<newseq type=\"standard\">$3</newseq>" \
    "$zone$zone</port>" "${zone}</input>" "</system>" ""
}
expected=$( { printf '<mameconfig version="10">\r\n\r\n\r\n'
              port default P1_BUTTON1 KEYCODE_LCONTROL; printf '\r\n'
              port pacman P1_JOYSTICK_UP KEYCODE_UP; printf '</mameconfig>\r\n'; } | base64 -w0)

# Starts the window in the program folder; waits for it. One left open by a
# failed step before is ended first, so that it cannot answer for this one.
start_window() {
  [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
  # Wine's errors, its status and the time it ended go into the log: an end
  # without a window tells why. Ending this shell ends the program.
  (cd "$work/start" || exit; WINEDEBUG=-all,err+all wine "$program/brantel-manager.exe" &
   trap 'kill $!' TERM; wait $!; status=$?
   echo "$(date +%T.%N) wine brantel-manager.exe ended: status $status") >>"$work/program.log" 2>&1 &
  pid=$!
  form=$(wait_for_window "brantel Manager")
}

# --- The message box alone: its buttons, "Use it in MAME" when offered;
# Copy takes the whole text, its lines ending in CR LF; which button ended it.
# A Wine that an earlier test started without this screen ends a window's
# program at once, without a word, while it lasts: it is waited out.
check "the Wine of the tests before ends" timeout 120 wineserver -w
box_text=$'The new controller file is Z:\\MAME 0.261\\ctrlr\\OLD.cfg\nctrlr                     OLD\n\nYou can either keep...'
# KEYS in the box offering "Use it in MAME" ("copied": wait for the text on
# the clipboard): the button it tells ended it.
box_ended_by() {
  printf '%s' "$box_text" | wine "$driver_exe" offer "Conversion Complete!" >"$work/driver.txt" &
  local driver=$! box key
  if box=$(wait_for_window "Conversion Complete!") && probe_tells "buttons: &Copy &Use it in MAME OK" box; then
    for key in $1; do
      if [[ $key == copied ]]; then clipboard_holds "${box_text//$'\n'/$'\r\n'}"; else keys_to "$box" "$key"; fi || break
    done
  fi
  ended_within_20_s "$driver" || kill "$driver"
  wait "$driver"
  [[ $(tr -d '\r' <"$work/driver.txt") == "$2" ]] || { echo "told: $(cat "$work/driver.txt")"; return 1; }
}
for row in "Return|OK" "Escape|OK" "alt+u|Use it in MAME" "Tab Tab Return|Use it in MAME" "alt+c copied Escape|OK"; do
  check "the box offering \"Use it in MAME\": ${row%|*}: ${row#*|}" box_ended_by "${row%|*}" "${row#*|}"
done

# --- Typed texts, Tab, Return in a box, Copy and Ctrl+C, Alt+C, Alt+F4.
start_window || { echo "FAILED: the window did not appear"; exit 1; }
check "the focus starts in the first box, Enter presses Convert" focus_is "Text1 default Command1"
# Its text selected: what is typed replaces it; tabbing into a box selects its text.
keys_to "$form" ctrl+a
xdotool type --delay 30 hotrd
xdotool key ctrl+a  # selects all: what is typed next replaces it
xdotool type --delay 30 "OLD. "
xdotool key Tab
xdotool type --delay 30 "$mame_z"
xdotool key Tab Tab  # past Browse, right after its box
xdotool type --delay 30 mame.exe
idle="enabled: ComboBox Edit &Browse... Edit Bro&wse... &Generate New Master List (made by itself on first run and when MAME changes; tick to force it) ListBox &Convert"
check "File1 follows the typed texts (the trailing dot and space dropped)" \
  shows "File1: default.ini"$'\n'"File1: pacman.ini"$'\n'"$idle"
check "each box's label, which names it, made right before it" probe_tells "Text1: &Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the mame.ini)."$'\n'"Text2: &Path to Mame"$'\n'"Text3: Mame &Exe"$'\n'"File1: INI files in ctrlr\\OLD" labels
# Tab goes on from Text3 in the order seen and round; the push button that
# has the focus is the one Enter presses, elsewhere Convert.
for step in "Browse3 default Browse3" "chkListGen default Command1" "File1 default Command1" \
  "Command1 default Command1" "Text1 default Command1" "Text2 default Command1" "Browse2 default Browse2" \
  "Text3 default Command1"; do
  keys_to "$form" Tab && check "Tab: $step" focus_is "$step"
done
label_now() { shown=$(wine "$probe_exe" label | tr -d '\r'); [[ $shown == "$1" ]]; }
label_shows() { local shown; poll_until label_now "$1" || { echo "label: $shown"; return 1; }; }
check "the list's label, made right before it, names the folder" label_shows 'INI files in ctrlr\OLD'
# Text1's list offers the old folders; picked by the keys, File1 follows.
keys_to "$form" alt+n ctrl+a x
check "a name of no folder: File1 empty" shows "$idle"
check "a name of no folder: the label says so" label_shows "No folder x in $mame_z\\ctrlr\\"
keys_to "$form" alt+Down Down Return
check "Text1's list: OLD picked" text1_shows "Text1: OLD"$'\n'"offers: OLD"
check "Text1's list: File1 follows" shows "File1: default.ini"$'\n'"File1: pacman.ini"$'\n'"$idle"
keys_to "$form" Return
box=$(window_named "Conversion Complete!")
check "Return in the folder name box runs Convert" test -n "$box"
check "the completion box: Copy and OK" probe_tells "buttons: &Copy OK" box
# The whole text, lines ending in CR LF, the new file's path on one line.
completion=$(wine "$probe_exe" box text | base64 -w0)
completion_is_whole() {
  local text
  text=$(base64 -d <<<"$completion")$'\r\n'
  [[ ${text//$'\r\n'/} != *[$'\r\n']* && $text == *"$mame_z\\ctrlr\\OLD.cfg"$'\r\n'* ]]
}
check "the completion box: one fact a line, the path whole" completion_is_whole
printf 'x' | wine "$probe_exe" clipboard
[[ -n $box ]] && keys_to "$box" ctrl+c
check "the completion box: Ctrl+C copies its whole text" clipboard_holds "$(base64 -d <<<"$completion")"
# Gone before the next: a box still on the screen would take the keys meant for the next one.
box_gone() { ! xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"; }
[[ -n $box ]] && keys_to "$box" Return && poll_until box_gone "$box"
xdotool key alt+c
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "first run: Conversion Complete! shown" test -n "$box"
keys_to "$form" alt+F4
check "first run: the program ends on Alt+F4" ended_within_20_s "$pid"
check "first run: the combined file, byte for byte" \
  test "$(base64 -w0 "$work/mame/ctrlr/OLD.cfg")" = "$expected"
check "first run: four settings lines" holds "$program/brantel.cfg" OLD "$mame_z\\" mame.exe " 0 "
check "first run: no new list asked for" test "$(cat "$program/listgen.ran")" = "-s -ctrlr"

# --- The box ticked. Escape while a list generator runs 8 s: it and its
# child are ended. Then one of 4 s: alive, no second Convert, closed after.
printf '8' >"$program/list generator/running-seconds.txt"
printf 'previous\r\n' >"$program/masterlist.lst"
rm "$program/listgen.ran"
before=$(cd "$work/mame" && find . -type f -exec md5sum {} + | sort)
start_window || { echo "FAILED: the window did not reappear"; exit 1; }
keys_to "$form" alt+g alt+c
check "while it runs the caption counts the seconds" appears "brantel Manager - making the master list, 1 s"
check "while the list is made the progress line shows a busy bar" \
  progress_is "Making the master list (MAME's machines)... | busy"
check "while it runs only Cancel takes input" shows "File1: default.ini"$'\n'"File1: pacman.ini"$'\n'"enabled: C&ancel"
keys_to "$form" Escape
box=$(window_named "Conversion Cancelled") && keys_to "$box" Return
check "Escape: Conversion Cancelled shown" test -n "$box"
check "Escape: the controls are back" shows "File1: default.ini"$'\n'"File1: pacman.ini"$'\n'"$idle"
check "Escape: the progress line gone" progress_is none
listgen_gone() { ! pgrep -f "$program/list generator/listgen" >/dev/null; }
check "Escape: the list generator and its child end" poll_until listgen_gone
check "Escape: ... before they wrote anything" test ! -e "$program/listgen.ran" -a ! -e "$program/child-ended.txt"
check "Escape: the master list kept" holds "$program/masterlist.lst" previous
check "Escape: the list generator's work folder removed" test ! -e "$program/~btwork-standin"
check "Escape: the MAME folder unchanged" test "$(cd "$work/mame" && find . -type f -exec md5sum {} + | sort)" = "$before"

printf '4' >"$program/list generator/running-seconds.txt"
rm "$work/mame/ctrlr/OLD.cfg"
keys_to "$form" alt+c
check "the caption counts the seconds again" appears "brantel Manager - making the master list, 1 s"
keys_to "$form" alt+c alt+F4
check "Alt+F4 acknowledged in the caption" appears "brantel Manager - making the master list, [0-9] s - closing after Convert"
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "second run: Conversion Complete! shown" test -n "$box"
check "second run: the program ends after Convert by itself" ended_within_20_s "$pid"
check "second run: the combined file" test "$(base64 -w0 "$work/mame/ctrlr/OLD.cfg")" = "$expected"
check "second run: four settings lines, the tick cleared once the list was made" holds "$program/brantel.cfg" OLD "$mame_z\\" mame.exe " 0 "
check "second run: the ticked box asks for a new list" test "$(cat "$program/listgen.ran")" = "-s -ctrlr -new"
kill "$pid" 2>/dev/null

# The first label's row of pixels at DPI $1: its top and height.
label1_row() { echo $((8 * $1 / 96)) $((13 * $1 / 96)); }
# The width of the dark pixels of the first label's row in a picture of the
# window taken at DPI $2.
label1_width() {
  local top height
  read -r top height < <(label1_row "$2")
  convert "$1" -crop "x${height}+0+$top" +repage -colorspace gray -threshold 50% -negate -trim \
    -format '%w' info: 2>/dev/null
}

# --- A folder named beyond the code page, pasted and converted; the next
# start loads it and converts it again.
rm -f "$program/list generator/running-seconds.txt"
printf '%s\r\n' stormcabinet "$mame_z\\" mame.exe 0 >"$program/brantel.cfg"
lodz=$'\xc5\x81\xc3\xb3d\xc5\xba'  # Łódź
mkdir -p "$work/mame/ctrlr/$lodz"
cp "$work/mame/ctrlr/OLD/pacman.ini" "$work/mame/ctrlr/$lodz/"
# Not typed: xdotool types a character that no key makes by mapping a spare key
# to it for one keystroke, which a loaded Wine may look up after it was mapped
# back.
paste_into_text1() {
  printf '%s' "$1" | wine "$probe_exe" clipboard && keys_to "$form" alt+n ctrl+a ctrl+v &&
    poll_until text1_now "Text1: $1"
}
start_window
check "Łódź pasted" paste_into_text1 "$lodz"
keys_to "$form" alt+c
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "Łódź: Conversion Complete! shown" test -n "$box"
check "Łódź: the combined file" test -f "$work/mame/ctrlr/$lodz.cfg"
keys_to "$form" alt+F4
check "Łódź: the program ends" ended_within_20_s "$pid"
rm -f "$work/mame/ctrlr/$lodz.cfg"
start_window
wait_until_painted "$form" "$work/at-96-dpi.png" $(label1_row 96)
keys_to "$form" alt+c
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
check "Łódź: loaded again and converted" test -f "$work/mame/ctrlr/$lodz.cfg"
keys_to "$form" alt+F4
check "Łódź loaded: the program ends" ended_within_20_s "$pid"

# --- No folder name saved: the one mame.ini's ctrlr entry names.
printf '%s\r\n' "" "$mame_z\\" mame.exe 0 >"$program/brantel.cfg"
printf '%s\r\n' '# ctrlr nothere' 'ctrlr                     OLD' >"$work/mame/mame.ini"
start_window
check "mame.ini: its ctrlr folder shown" text1_shows "Text1: OLD"
keys_to "$form" alt+F4
ended_within_20_s "$pid"

# --- Every note in the dialog, the dialog made wider by the keys (its
# system menu's Size): the notes box grows with it. Its last note copied,
# pasted into Text1 and saved with the settings.
for n in $(seq -w 1 24) zz; do
  printf '%s\r\n' "[g$n]" 'P1_BUTTON1 "KEYCODE_0_PAD"' >"$work/mame/ctrlr/OLD/g$n.ini"
done
printf '%s\r\n' OLD "$mame_z\\" mame.exe 0 >"$program/brantel.cfg"
# The user's Documents folder, where Save... starts: one of the test's own
# (Wine's is the Linux home folder).
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
mkdir "$work/documents"
wine reg add "$shell_folders" /v Personal /t REG_EXPAND_SZ /d "$(windows_path "$work/documents")" /f >/dev/null 2>&1
start_window
keys_to "$form" alt+c
notes=$(window_named "Conversion Notes")
check "notes dialog shown" test -n "$notes"
read -r client box_width < <(wine "$probe_exe" notes | tr -d '\r')
# Each key once the dialog is in the state the one before leads to: a key
# that comes before the system menu or the sizing has begun is lost.
notes_mode() { [[ $(wine "$probe_exe" notes mode | tr -d '\r') == "$1" ]]; }
size_notes() {
  keys_to "$notes" alt+space && poll_until notes_mode menu && xdotool key s && poll_until notes_mode sizing &&
    xdotool key --delay 50 Right Right Right Right Right Return
}
[[ -n $notes ]] && size_notes
wider() { read -r now_client now_box < <(wine "$probe_exe" notes | tr -d '\r'); ((now_client > client)); }
check "notes dialog: wider after Size and the arrow keys" poll_until wider
check "notes dialog: its box grew as much ($client $box_width, $now_client $now_box)" \
  test "$((now_client - now_box))" = "$((client - box_width))"
# Shift+Tab from OK to the notes; the last line selected, copied; then
# Save..., Return in its chooser; Escape closes the notes.
[[ -n $notes ]] && keys_to "$notes" shift+Tab ctrl+End shift+Home ctrl+c alt+s &&
  save=$(window_named "Save the notes") && keys_to "$save" Return
check "Save...: the notes as \"OLD conversion notes.txt\" in Documents" \
  poll_until contains "$work/documents/OLD conversion notes.txt" "gzz.ini"
wine reg add "$shell_folders" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents' /f >/dev/null 2>&1
[[ -n $notes ]] && keys_to "$notes" Escape
box=$(window_named "Conversion Complete!") && keys_to "$box" Return
keys_to "$form" alt+n ctrl+a ctrl+v alt+F4
check "notes dialog: the program ends" ended_within_20_s "$pid"
check "notes dialog: its last note copied ($(head -1 "$program/brantel.cfg"))" \
  grep -qE '^gzz\.ini: .*KEYCODE_0PAD' "$program/brantel.cfg"

# --- One note of a million, and of ten million, characters: the dialog comes
# up with its box of notes. Then a big INI file: the window answers past the
# list generator, and Escape stops the conversion with nothing left of it.
printf '%s\r\n' OLD "$mame_z\\" mame.exe 0 >"$program/brantel.cfg"
for size in 1000000 10000000; do
  printf '[long]\r\nP1_%s "KEY_A"\r\n' "$(head -c "$size" /dev/zero | tr '\0' X)" >"$work/mame/ctrlr/OLD/long.ini"
  start_window && keys_to "$form" alt+c
  notes=$(window_named "Conversion Notes")
  check "a note of $size characters: the dialog and its box" eval '[[ -n $notes ]] && wine "$probe_exe" notes >/dev/null'
  [[ -n $notes ]] && keys_to "$notes" Return
  box=$(window_named "Conversion Complete!") && keys_to "$box" Return && keys_to "$form" alt+F4
  ended_within_20_s "$pid"
done
rm -f "$work/mame/ctrlr/OLD/"{long,g*}.ini "$work/mame/ctrlr/OLD.cfg"
yes 'P1_BUTTON1 "KEYCODE_LCONTROL"' | head -n 1500000 >"$work/mame/ctrlr/OLD/big.ini"
start_window && keys_to "$form" alt+c
check "big INI file: the caption counts the seconds" appears "brantel Manager - converting, [1-9][0-9]* s"
check "big INI file: the progress line counts the files" progress_is "Converting: 2 of 3 files | 1 of 3"
keys_to "$form" alt+a  # C&ancel
box=$(window_named "Conversion Cancelled") && keys_to "$box" Return && keys_to "$form" alt+F4
check "big INI file: Alt+A (C&ancel) cancels the conversion" test -n "$box"
check "big INI file: nothing left of it" test -z "$(find "$work/mame/ctrlr" "$program" -name '~bt*' -o -name OLD.cfg)"
ended_within_20_s "$pid"
rm "$work/mame/ctrlr/OLD/big.ini"

# --- At 144 DPI: the window half as large again, the first label whole.
# A new DPI is read when Wine starts anew: every program of the prefix ended.
wine_restarts() {
  kill "$pid" 2>/dev/null
  timeout 120 wineserver -w
}
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
check "Wine ends before 144 DPI" wine_restarts
start_window
wait_until_painted "$form" "$work/at-144-dpi.png" $(label1_row 144)
eval "$(xdotool getwindowgeometry --shell "$form")"
check "144 DPI: within the 800x600 screen (${WIDTH}x$HEIGHT at $X,$Y)" test $((X + WIDTH)) -le 800 -a $((Y + HEIGHT)) -le 600
keys_to "$form" alt+F4
check "144 DPI: the program ends" ended_within_20_s "$pid"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
check "Wine ends after 144 DPI" wine_restarts
evidence_files+=("$work/at-96-dpi.png" "$work/at-144-dpi.png")
narrow=$(label1_width "$work/at-96-dpi.png" 96)
wide=$(label1_width "$work/at-144-dpi.png" 144)
check "144 DPI: the first label 1.35 to 1.65 times as wide ($narrow, $wide)" \
  test "$((wide * 100 / ${narrow:-1}))" -ge 135 -a "$((wide * 100 / ${narrow:-1}))" -le 165

echo "window under Wine: $failed failed"
[[ $failed -eq 0 ]]
