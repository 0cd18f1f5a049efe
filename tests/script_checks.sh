# Shared by the test scripts (sourced, not run): `check`, which counts what
# held and what failed, file and process checks, and, for a window on a
# virtual screen, finding it by its title and sending it keys.
passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $description"; fi
}
holds() { [[ -f $1 ]] && printf '%s\r\n' "${@:2}" | cmp -s - "$1"; }  # holds FILE LINE... (CR LF)
ended_within_20_s() {
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# Waits up to 20 s for a visible window whose whole title matches; prints its id.
window_named() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
appears() { window_named "$1" >/dev/null; }
# No such process, or one that has ended and waits only to be reaped.
gone() { ! ps -o stat= -p "$1" | grep -qv Z; }
# Activated through the window manager when there is one, else focused.
keys_to() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  sleep 0.3 && xdotool key --delay 50 "${@:2}"
}
