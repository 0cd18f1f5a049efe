#!/usr/bin/env bash
# brantel-convert.exe under Wine for Windows users whatever their names, code
# page and habits: one table of cases, each run in the code page its locale
# gives Wine (C.UTF-8: 1252, ru_RU: 1251, ja_JP: 932; built with localedef).
#
#   windows_users.sh BRANTEL_CONVERT_EXE STAND_IN_LISTGEN_EXE STAND_IN_MAME_EXE
#
# Uses $WINEPREFIX when set. Exits 77 (skipped) without Wine or localedef.
set -uo pipefail
convert_exe=$1 stand_in_exe=$2 stand_in_mame_exe=$3
command -v wine >/dev/null && command -v localedef >/dev/null || { echo "SKIP: no wine or localedef"; exit 77; }
source "$(dirname "$0")/wine_checks.sh"
export LOCPATH=$work/locales && mkdir -p "$LOCPATH"
for locale in ja_JP ru_RU; do
  localedef -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8" 2>/dev/null || { echo "SKIP: no $locale locale"; exit 77; }
done

# A program folder with the stand-in list generator ($program), and an old
# controller folder ($old) under a MAME path ($mame) holding pacman.ini,
# and a mame.exe.
make_folders() {
  program=$1 mame=$2 old=$2/ctrlr/$3
  mkdir -p "$program/list generator" "$old"
  : >"$mame/mame.exe"  # a MAME for Convert to find
  cp "$convert_exe" "$program/brantel-convert.exe"
  cp "$stand_in_exe" "$program/list generator/listgen.exe"
  printf 'pacman|Pac-Man|1980|Namco|pacman|MAME|x|x|x|2\r\n' >"$program/list generator/prepared.lst"
  printf '[pacman]\r\nP1_BUTTON1 "KEY_P"\r\n' >"$old/pacman.ini"
}

# Runs brantel-convert.exe of $program in LOCALE; sets $output and $status.
# A run that hangs is ended.
run_in() {
  local locale=$1
  shift
  output=$(cd "$work" && LC_ALL=$locale timeout 60 wine "$program/brantel-convert.exe" "$@" 2>"$work/stderr" |
           tr -d '\r'; exit "${PIPESTATUS[0]}")
  status=$?
  # Failures come on standard error, among what Wine may say there.
  failures=$(tr -d '\r' <"$work/stderr" | grep -E '^(File Path Error|Conversion Failed): ')
  output+=${output:+${failures:+$'\n'}}$failures
}

expect() {  # expect DESCRIPTION COMMAND...
  "${@:2}" || { echo "FAILED: $current: $1 ($status: $output)"; failed=$((failed + 1)); }
}
sections() { grep -so '<system name="[^"]*">' "$1" | wc -l; }

# The user folder, the program folder and two INI names hold characters that
# code page 1252 cannot spell. A listgen.exe beside the program and a hidden
# system desktop.ini play no part.
case_beyond_the_code_page() {
  make_folders "$work/Łukasz/brantel" "$work/Łukasz/mame" hotrod
  cp "$stand_in_mame_exe" "$program/listgen.exe"
  printf '[x]\r\nP1_BUTTON2 "KEY_L"\r\n' >"$old/Łódź.ini"
  printf '[x]\r\nP1_BUTTON3 "KEY_G"\r\n' >"$old/ゲーム.ini"
  printf '[.ShellClassInfo]\r\n' >"$old/desktop.ini"
  # The user's hidden INI and cfg files are theirs, unlike Windows' own desktop.ini.
  printf '[x]\r\nP1_START "KEY_H"\r\n' >"$old/galaga.ini"
  printf '<mameconfig version="10"><system name="mine"><input/></system></mameconfig>\r\n' >"$old/mine.cfg"
  for file in desktop.ini galaga.ini mine.cfg; do wine attrib +h "$(windows_path "$old/$file")" >/dev/null 2>&1; done
  wine attrib +s "$(windows_path "$old/desktop.ini")" >/dev/null 2>&1
  run_in C.UTF-8 hotrod "$(windows_path "$mame")"
  expect "converted" is "$status" 0
  expect "both names beyond the code page" contains "$mame/ctrlr/hotrod.cfg" '>KEY_L</newseq>'
  expect "... each a section" contains "$mame/ctrlr/hotrod.cfg" '>KEY_G</newseq>'
  expect "hidden INI and cfg files converted" contains "$mame/ctrlr/hotrod.cfg" '>KEY_H</newseq>'
  expect "... no desktop section" is "$(sections "$mame/ctrlr/hotrod.cfg") $(grep -c '<system name="mine">' "$mame/ctrlr/hotrod.cfg")" "6 1"
  expect "intermediate files removed" is "$(find "$old" -type f ! -iname '*.ini' ! -name mine.cfg)" ""
  expect "the list generator of the program folder ran" is "$(cat "$program/listgen.ran" 2>/dev/null)" "-s -ctrlr"
}

# Code page 932: "表" ends in the byte of "\". The MAME path is typed without
# its final backslash, and the folder bears the name.
case_double_byte_backslash() {
  make_folders "$work/program932" "$work/mame表" 表
  run_in ja_JP.UTF-8 表 "$(windows_path "$mame")"
  expect "converted" is "$status" 0
  expect "combined file beside the folder" contains "$mame/ctrlr/表.cfg" '>KEY_P</newseq>'
  expect "settings hold the path and backslash" contains "$program/brantel.cfg" \
    "$(windows_path "$mame" | iconv -f UTF-8 -t CP932)\\"
}

# Code page 1251: a comment that is not UTF-8 is read as Cyrillic.
case_ansi_code_page_text() {
  make_folders "$work/program1251" "$work/mame1251" cyr
  printf '# \xcf\xf0\xe8\xe2\xe5\xf2\r\n' >>"$old/pacman.ini"
  run_in ru_RU.UTF-8 cyr "$(windows_path "$mame")"
  expect "comment in Cyrillic" contains "$mame/ctrlr/cyr.cfg" '<!-- # Привет -->'
}

# Paths pasted with their quotes, as Explorer's "Copy as path" gives them.
case_quoted_paths() {
  make_folders "$work/program-quotes" "$work/mame quotes" quoted
  run_in C.UTF-8 '"quoted"' "\"$(windows_path "$mame")\""
  expect "converted" contains "$mame/ctrlr/quoted.cfg" '>KEY_P</newseq>'
  expect "settings without quotes" contains "$program/brantel.cfg" "$(windows_path "$mame")\\"
}

# Device names: refused as the folder, skipped as INI files; nothing hangs.
case_device_names() {
  make_folders "$work/program-devices" "$work/mame-devices" nul
  run_in C.UTF-8 nul "$(windows_path "$mame")"
  expect "folder refused" is "$status: $output" '1: File Path Error: "nul" is the name of a device, not of a folder!'
  make_folders "$program" "$mame" devices
  local names=(aux.ini COM1.ini nul.ini 'CONIN$.ini' 'conout$.ini' 'COM¹.ini' 'lpt³.INI')
  for name in "${names[@]}"; do printf '[x]\r\n' >"$old/$name"; done
  run_in C.UTF-8 devices "$(windows_path "$mame")"
  expect "converted without them" is "$status $(sections "$mame/ctrlr/devices.cfg")" "0 2"
  expect "... each noted" is "$(LC_ALL=C grep -ac '^Conversion Notes: .*: not applied: not converted: Windows keeps' <<<"$output")" ${#names[@]}
}

says() { grep -qF -- "$1" <<<"$output"; }

# Another program holds file $1 (the stand-in MAME, once it has made $1.held)
# while the rest of the command runs.
holding() {
  wine "$stand_in_mame_exe" --hold "$(windows_path "$1")" >/dev/null 2>&1 & local holder=$!
  for _ in $(seq 600); do [[ -e $1.held ]] && break; sleep 0.1; done
  "${@:2}"; kill "$holder"; wait "$holder" 2>/dev/null; rm -f "$1.held"
}

# A combined or settings file another program holds, or a folder in the
# settings file's place: said so, not "Access denied".
case_files_in_use() {
  make_folders "$work/program-in-use" "$work/mame-in-use" busy
  local mame_w=$(windows_path "$mame") combined_w=$(windows_path "$mame/ctrlr/busy.cfg")
  run_in C.UTF-8 busy "$mame_w"
  # A file that would not change is not replaced at all: this one would.
  printf 'P1_BUTTON2 "KEY_Q"\r\n' >>"$old/pacman.ini"
  holding "$mame/ctrlr/busy.cfg" run_in C.UTF-8 busy "$mame_w"
  expect "combined file in use" says "\"$combined_w\": The file is in use by another program"
  holding "$program/brantel.cfg" run_in C.UTF-8 busy "$mame_w"
  expect "settings file in use" says "brantel.cfg\": The file is in use by another program"
  rm "$program/brantel.cfg" && mkdir "$program/brantel.cfg" && run_in C.UTF-8 busy "$mame_w"
  expect "a folder in its place" says "brantel.cfg\": A folder has this name, where the file belongs"
}

# Folder names that lead to ctrlr itself say that the folder must lie inside
# it; one typed with a final backslash is shown with one.
case_folder_name_messages() {
  make_folders "$work/program-names" "$work/mame-names" old
  local shown= ctrlr=$(windows_path "$mame/ctrlr") inside='names ctrlr itself or a folder outside it!'
  for name in . '' 'gone\'; do run_in C.UTF-8 "$name" "$(windows_path "$mame")"; shown+=$output$'\n'; done
  expect "the messages" is "$shown" "$(printf 'File Path Error: %s\n' \
    "The old folder must lie inside ctrlr: \".\" $inside" "$ctrlr\\.\\" \
    "The old folder must lie inside ctrlr: \"\" $inside" "$ctrlr\\" "Directory Not Found!" "$ctrlr\\gone\\")"$'\n'
}

cases=(beyond_the_code_page double_byte_backslash ansi_code_page_text quoted_paths device_names files_in_use
       folder_name_messages)
failed=0
for current in "${cases[@]}"; do "case_$current"; done
echo "windows users: ${#cases[@]} cases, $failed failed checks"
[[ $failed == 0 ]]
