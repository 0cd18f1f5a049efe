# Timing helpers shared by the benchmark scripts (sourced, not run).
# RUNS (default 3) is how often best_of runs a command.

seconds() {  # COMMAND...: prints the wall-clock seconds it took
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

best_of() {  # COMMAND...: the least wall-clock time of ${RUNS:-3} runs
  local best="" t i
  for ((i = 0; i < ${RUNS:-3}; i++)); do
    t=$(seconds "$@")
    if [[ -z "$best" ]] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  printf '%.3f' "$best"
}

# FIRST SECOND: two commands (without arguments) run by turns ${RUNS:-3}
# times, so a machine whose load drifts weighs on both alike; prints the best
# time of each.
best_of_both() {
  local best1="" best2="" t i
  for ((i = 0; i < ${RUNS:-3}; i++)); do
    t=$(seconds "$1")
    if [[ -z "$best1" ]] || awk -v t="$t" -v b="$best1" 'BEGIN { exit !(t < b) }'; then best1=$t; fi
    t=$(seconds "$2")
    if [[ -z "$best2" ]] || awk -v t="$t" -v b="$best2" 'BEGIN { exit !(t < b) }'; then best2=$t; fi
  done
  printf '%.3f %.3f\n' "$best1" "$best2"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b / a }'; }  # A B: B / A
