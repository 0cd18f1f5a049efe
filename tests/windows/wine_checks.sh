# Shared by the end-to-end scripts run under Wine (sourced, not run): a
# temporary work folder, the Wine prefix ($WINEPREFIX when set, which
# scripts/test-windows.sh makes fresh, otherwise one of the work folder's own),
# removed with it at exit, and `check`, which counts what held and what failed.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
own_prefix=
if [[ -z ${WINEPREFIX:-} ]]; then
  own_prefix=$work/wineprefix
  export WINEPREFIX=$own_prefix
  wineboot -i >/dev/null 2>&1
fi
trap '[[ -n $own_prefix ]] && wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $description"
  fi
}
