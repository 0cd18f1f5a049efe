# Shared by the end-to-end scripts run under Wine (sourced, not run): a
# temporary work folder, the Wine prefix ($WINEPREFIX when set, which
# scripts/test-windows.sh makes fresh, otherwise one of the work folder's own),
# removed with it at exit, and the checks of ../script_checks.sh.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
own_prefix=
if [[ -z ${WINEPREFIX:-} ]]; then
  own_prefix=$work/wineprefix
  export WINEPREFIX=$own_prefix
  wineboot -i >/dev/null 2>&1
fi
trap '[[ -n $own_prefix ]] && wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../script_checks.sh"

# Wine shows the Linux root as drive Z:.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
