# Shared by the tests and scripts that drive a window on a virtual screen
# (sourced by bash, not run). Everything here waits for a state of the screen,
# never for a fixed time, and gives up after $BRANTEL_WAIT_SECONDS (default 60)
# so that a loaded machine is slow but not wrong:
#
#   poll_until COMMAND...      runs it every 0.1 s until it succeeds
#   wait_for_window TITLE      prints the id of a visible window whose whole
#                              title matches the extended regular expression
#   window_named TITLE         the same, quietly (a missing window is a result)
#   appears TITLE              true once such a window shows
#   wait_for_window_manager    true once a window manager runs on the display
#   wait_until_painted ID PICTURE [TOP HEIGHT]
#                              takes pictures of window ID until two in a row
#                              are equal and show more than one colour (and,
#                              with TOP and HEIGHT, that row of pixels holds
#                              dark text on a light ground); keeps the last in
#                              PICTURE
#   keys_to ID KEY...          activates or focuses window ID, waits until it
#                              has the input focus, then presses the keys
#   keep_evidence WHAT         keeps a picture of the screen, the window list,
#                              the processes and the files named in
#                              $evidence_files (the programs' output) in the
#                              evidence folder, and prints that folder
#
# The evidence folder is $BRANTEL_EVIDENCE/NAME-TIME-PID (default under
# ${TMPDIR:-/tmp}/brantel-evidence), made at the first failure only; each
# failure has a numbered folder in it.

: "${BRANTEL_WAIT_SECONDS:=60}"
evidence_files=()
evidence_dir=${BRANTEL_EVIDENCE:-${TMPDIR:-/tmp}/brantel-evidence}/$(basename "$0" .sh)-$(date +%Y%m%d-%H%M%S)-$$

# Runs COMMAND... every 0.1 s until it succeeds or the time limit passes.
poll_until() {
  local deadline=$((SECONDS + BRANTEL_WAIT_SECONDS))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

visible_window_id() {  # sets found_window
  found_window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
  [[ -n $found_window ]]
}

window_named() {
  local found_window
  poll_until visible_window_id "$1" || return 1
  echo "$found_window"
}

wait_for_window() {
  window_named "$1" && return 0
  echo "no window \"$1\" within $BRANTEL_WAIT_SECONDS s (evidence in $(keep_evidence "no window $1"))" >&2
  return 1
}

appears() { window_named "$1" >/dev/null; }

wait_for_window_manager() {
  poll_until eval 'wmctrl -m >/dev/null 2>&1' && return 0
  echo "no window manager within $BRANTEL_WAIT_SECONDS s (evidence in $(keep_evidence "no window manager"))" >&2
  return 1
}

# The picture's pixels, without the time stamps a PNG file carries.
pixels_of() { convert "$1" -format '%#' info: 2>/dev/null; }

# True when the picture holds more than one colour and, given a row TOP
# HEIGHT, that row holds both dark and light pixels: text on its ground.
shows_text() {
  local picture=$1 top=${2:-} height=${3:-}
  if [[ -z $top ]]; then
    [[ $(convert "$picture" -colorspace gray -format '%[fx:maxima-minima>0.1]' info: 2>/dev/null) == 1 ]]
  else
    [[ $(convert "$picture" -crop "x${height}+0+${top}" +repage -colorspace gray \
           -format '%[fx:minima<0.5 && maxima>0.5]' info: 2>/dev/null) == 1 ]]
  fi
}

painted_twice() {  # painted_twice ID SHOT TOP HEIGHT; uses and sets last_pixels
  local pixels
  import -window "$1" "$2" 2>/dev/null || return 1
  pixels=$(pixels_of "$2")
  [[ -n $pixels && $pixels == "$last_pixels" ]] && shows_text "$2" "${@:3}" && return 0
  last_pixels=$pixels
  return 1
}

wait_until_painted() {
  local id=$1 picture=$2 last_pixels=
  local shot=${picture%.png}-taking.png
  if poll_until painted_twice "$id" "$shot" "${@:3}"; then
    mv "$shot" "$picture"
    return 0
  fi
  [[ -f $shot ]] && mv "$shot" "$picture"
  evidence_files+=("$picture")
  echo "window $id not painted within $BRANTEL_WAIT_SECONDS s (evidence in $(keep_evidence "window $id not painted"))" >&2
  return 1
}

has_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }

# Activated through the window manager when there is one, else focused; the
# keys go only once the X server gives the window the focus.
keys_to() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null
  if ! poll_until has_focus "$1"; then
    echo "window $1 never got the focus (evidence in $(keep_evidence "no focus for $1"))" >&2
    return 1
  fi
  xdotool key --delay 50 "${@:2}"
}

# Often called in $(...): what it keeps is found again through the files.
keep_evidence() {
  local what=$1 file count
  mkdir -p "$evidence_dir"
  count=$(find "$evidence_dir" -mindepth 1 -maxdepth 1 | wc -l)
  local at=$evidence_dir/$((count + 1))
  mkdir -p "$at"
  echo "$what" >"$at/what.txt"
  if [[ -n ${DISPLAY:-} ]]; then
    import -window root "$at/screen.png" 2>/dev/null || true
    {
      echo "visible windows:"
      for file in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "$file $(xdotool getwindowname "$file" 2>/dev/null)"
      done
      echo "focus: $(xdotool getwindowfocus 2>/dev/null)"
      echo "window manager's list:"
      wmctrl -l 2>&1 || true
    } >"$at/windows.txt"
  fi
  ps -eo pid,ppid,stat,etime,args >"$at/processes.txt"
  for file in "${evidence_files[@]}"; do
    if [[ -e $file ]]; then cp -r "$file" "$at/" || true; fi
  done
  echo "$evidence_dir"
}
