#!/usr/bin/env bash
# brantel-convert.exe under Wine for Windows users whatever their names, code
# page and habits: one table of cases, each run in the code page its locale
# gives Wine (C.UTF-8: 1252, ru_RU: 1251, ja_JP: 932), the locales built with
# localedef into a folder of the test's own.
#
#   windows_users.sh BRANTEL_CONVERT_EXE STAND_IN_LISTGEN_EXE STAND_IN_MAME_EXE
#
# Uses $WINEPREFIX when set, otherwise makes a temporary prefix. Exits 77
# when Wine or localedef is missing.
set -uo pipefail

convert_exe=$1
stand_in_exe=$2
stand_in_mame_exe=$3

if ! command -v wine >/dev/null || ! command -v localedef >/dev/null; then
  echo "SKIP: wine or localedef is not installed"
  exit 77
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
own_prefix=
if [[ -z ${WINEPREFIX:-} ]]; then
  own_prefix=$work/wineprefix
  export WINEPREFIX=$own_prefix
  wineboot -i >/dev/null 2>&1
fi
cleanup() {
  [[ -n $own_prefix ]] && wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export LOCPATH=$work/locales
mkdir -p "$LOCPATH"
for locale in ja_JP ru_RU; do
  localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" 2>/dev/null ||
    { echo "SKIP: localedef cannot build $locale.UTF-8"; exit 77; }
done

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# A program folder with the stand-in list generator; sets $program.
make_program() {
  program=$1
  mkdir -p "$program/list generator"
  cp "$convert_exe" "$program/brantel-convert.exe"
  cp "$stand_in_exe" "$program/list generator/listgen.exe"
  printf '%s\r\n' "pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2" >"$program/list generator/prepared.lst"
}

# An old controller folder under a MAME path; sets $mame and $old.
make_old_folder() {
  mame=$1
  old=$mame/ctrlr/$2
  mkdir -p "$old"
  printf '[pacman]\r\nP1_BUTTON1 "KEY_P"\r\n' >"$old/pacman.ini"
}

# Runs brantel-convert.exe of $program in LOCALE with the arguments given;
# sets $output (CRs removed) and $status. A run that hangs is ended.
run_in() {
  local locale=$1
  shift
  output=$(cd "$work" && LC_ALL=$locale timeout 60 wine "$program/brantel-convert.exe" "$@" 2>/dev/null |
           tr -d '\r'; exit "${PIPESTATUS[0]}")
  status=$?
}

sections() { grep -so '<system name="[^"]*">' "$1" | sed 's/<system name="\(.*\)">/\1/' | sort | tr '\n' ' '; }
expect() {  # expect DESCRIPTION COMMAND...
  local description=$1
  shift
  "$@" || { echo "FAILED: $current: $description ($status: $output)"; failed=$((failed + 1)); }
}
is() { [[ $1 == "$2" ]]; }
holds() { grep -qF -- "$2" "$1" 2>/dev/null; }
ini_files_only() { [[ -z $(find "$1" -type f ! -iname '*.ini') ]]; }

# The user folder, the program folder and the INI names hold characters
# that code page 1252 cannot spell: short names reach them. A listgen.exe
# beside the program and a hidden system desktop.ini play no part.
case_beyond_the_code_page() {
  make_program "$work/Łukasz/brantel"
  cp "$stand_in_mame_exe" "$program/listgen.exe"
  make_old_folder "$work/Łukasz/mame" hotrod
  printf '[x]\r\nP1_BUTTON2 "KEY_L"\r\n' >"$old/Łódź.ini"
  printf '[x]\r\nP1_BUTTON3 "KEY_G"\r\n' >"$old/ゲーム.ini"
  printf '[.ShellClassInfo]\r\n' >"$old/desktop.ini"
  wine attrib +h "$(windows_path "$old/desktop.ini")" >/dev/null 2>&1
  wine attrib +s "$(windows_path "$old/desktop.ini")" >/dev/null 2>&1
  run_in C.UTF-8 hotrod "$(windows_path "$mame")"
  expect "converted" is "$status" 0
  expect "every INI file a section" holds "$mame/ctrlr/hotrod.cfg" '>KEY_G</newseq>'
  expect "both short-named files" holds "$mame/ctrlr/hotrod.cfg" '>KEY_L</newseq>'
  expect "four sections, no desktop" is "$(sections "$mame/ctrlr/hotrod.cfg" | wc -w)" 4
  expect "intermediate files removed" ini_files_only "$old"
  expect "the list generator of the program folder ran" is "$(cat "$program/listgen.ran" 2>/dev/null)" "-s -ctrlr"
}

# Code page 932: "表" ends in the byte of "\"; the MAME path is typed without
# its final backslash and the folder bears the name.
case_double_byte_backslash() {
  make_program "$work/program932"
  make_old_folder "$work/mame表" 表
  run_in ja_JP.UTF-8 表 "$(windows_path "$mame")"
  expect "converted" is "$status" 0
  expect "combined file beside the folder" holds "$mame/ctrlr/表.cfg" '>KEY_P</newseq>'
  expect "settings hold the path with its backslash" holds "$program/brantel.cfg" \
    "$(windows_path "$mame" | iconv -f UTF-8 -t CP932)\\"
}

# Code page 1251: a comment that is not UTF-8 is read as Cyrillic.
case_ansi_code_page_text() {
  make_program "$work/program1251"
  make_old_folder "$work/mame1251" cyr
  printf '# \xcf\xf0\xe8\xe2\xe5\xf2\r\n' >>"$old/pacman.ini"
  run_in ru_RU.UTF-8 cyr "$(windows_path "$mame")"
  expect "converted" is "$status" 0
  expect "comment in Cyrillic" holds "$mame/ctrlr/cyr.cfg" '<!-- # Привет -->'
}

# A path pasted with its quotes, as Explorer's "Copy as path" gives it.
case_quoted_paths() {
  make_program "$work/program-quotes"
  make_old_folder "$work/mame quotes" quoted
  run_in C.UTF-8 '"quoted"' "\"$(windows_path "$mame")\""
  expect "converted" is "$status" 0
  expect "combined file written" holds "$mame/ctrlr/quoted.cfg" '>KEY_P</newseq>'
  expect "settings without quotes" holds "$program/brantel.cfg" "$(windows_path "$mame")\\"
}

# Device names: refused as the folder, skipped as INI files, nothing hangs.
case_device_names() {
  make_program "$work/program-devices"
  make_old_folder "$work/mame-devices" nul
  run_in C.UTF-8 nul "$(windows_path "$mame")"
  expect "folder refused" is "$status" 1
  expect "the message says why" is "$output" 'File Path Error: "nul" is the name of a device, not of a folder!'
  make_old_folder "$mame" devices
  for name in aux.ini COM1.ini nul.ini; do printf '[x]\r\n' >"$old/$name"; done
  run_in C.UTF-8 devices "$(windows_path "$mame")"
  expect "converted without them" is "$status" 0
  expect "only the game" is "$(sections "$mame/ctrlr/devices.cfg")" "default pacman "
}

cases=(beyond_the_code_page double_byte_backslash ansi_code_page_text quoted_paths device_names)
failed=0
for current in "${cases[@]}"; do "case_$current"; done
echo "windows users: ${#cases[@]} cases, $failed failed checks"
[[ $failed == 0 ]]
