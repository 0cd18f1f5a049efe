# Shared by the test scripts (sourced, not run): `check`, which counts what
# held and what failed, and file and process checks. A script that drives a
# window sources window_waits.sh too, and a failed check then keeps the
# screen, the window list and the programs' output, naming the folder.
passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  elif declare -F keep_evidence >/dev/null; then
    failed=$((failed + 1))
    echo "FAILED: $description (evidence in $(keep_evidence "$description"))"
  else
    failed=$((failed + 1))
    echo "FAILED: $description"
  fi
}
is() { [[ $1 == "$2" ]]; }
contains() { [[ -f $1 ]] && grep -qF -- "$2" "$1"; }  # contains FILE TEXT
holds() { [[ -f $1 ]] && printf '%s\r\n' "${@:2}" | cmp -s - "$1"; }  # holds FILE LINE... (CR LF)
ended_within_20_s() {
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# No such process, or one that has ended and waits only to be reaped.
gone() { ! ps -o stat= -p "$1" | grep -qv Z; }
