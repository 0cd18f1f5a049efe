#!/usr/bin/env bash
# Sets up, builds and runs every test: the Linux build first, then the
# Windows build under Wine, then the packages. A suite that fails does not
# stop the next ones unless they need what it built; at the end one line per
# suite tells its outcome and time, then the total, and the exit status is
# non-zero when any failed. Failing window tests name the folder where they
# kept their pictures, window lists and the programs' output.
set -uo pipefail
cd "$(dirname "$0")/.."

# What failing window tests keep: a folder of this run's own, so that a later
# run leaves an earlier run's evidence where it was.
export BRANTEL_EVIDENCE=$PWD/build/test-evidence/$(date +%Y%m%d-%H%M%S)-$$
summary=()
suites_passed=0
suites_failed=0
run_start=$SECONDS

# run_suite NAME COMMAND...: runs it, notes its outcome and time, and what
# it says it skipped (written to the file BRANTEL_SUITE_NOTE names).
run_suite() {
  local name=$1 start=$SECONDS status=0 note
  shift
  echo "=== $name"
  note=$(mktemp)
  BRANTEL_SUITE_NOTE=$note "$@" || status=$?
  local outcome=passed
  if ((status != 0)); then
    outcome="FAILED (exit status $status)"
    suites_failed=$((suites_failed + 1))
  else
    suites_passed=$((suites_passed + 1))
  fi
  [[ -s $note ]] && outcome+=" ($(head -n 1 "$note"))"
  rm -f "$note"
  summary+=("$(printf '%-28s %5d s  %s' "$name" $((SECONDS - start)) "$outcome")")
  return "$status"
}

linux_build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANTEL_BUILD_TESTS=ON >/dev/null &&
    cmake --build build
}
linux_tests() { QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure; }

if run_suite "setup" scripts/setup.sh test && run_suite "Linux build" linux_build; then
  run_suite "Linux tests" linux_tests
fi
run_suite "Windows build and tests" scripts/test-windows.sh
run_suite "packages" scripts/test-packages.sh

echo
echo "=== Summary"
printf '%s\n' "${summary[@]}"
printf '%-28s %5d s\n' "total" $((SECONDS - run_start))
[[ -d $BRANTEL_EVIDENCE ]] && echo "evidence of failed window tests: $BRANTEL_EVIDENCE"
echo "suites: $suites_passed passed, $suites_failed failed"
((suites_failed == 0))
