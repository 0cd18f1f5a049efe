#!/usr/bin/env bash
# Checks the two packages as a user and a distributor get them
# (scripts/test.sh runs it after the Windows tests; it makes them first with
# scripts/package.sh), on a virtual screen of its own:
#
# - the zip, unpacked into a folder whose name has spaces: a licence for
#   every part, each in CR LF; a manifest (long paths, asInvoker) and version
#   information naming the licence in every .exe; a folder converted under
#   Wine, its real list generator reading a stand-in mame.exe; the version in
#   the window's system menu; each program started alone, as Explorer starts
#   it from inside the zip, asks at once to extract all files first and
#   writes nothing;
# - the .deb: lintian --pedantic reports no error and no warning (the info
#   tags left are printed), its desktop entry passes desktop-file-validate,
#   its manual pages read with man -l without a warning, its icon comes in
#   every size; as root it installs with dpkg -i, and brantel-convert from
#   PATH, run by the ordinary user "nobody", names that user's own folders in
#   its usage and converts a folder with the installed MAME, keeping its
#   settings and master list there (the program folder /usr/lib/brantel cannot
#   be written); man brantel-convert works; then the package is removed again.
set -uo pipefail

if [[ ${1:-} != --on-display ]]; then
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --on-display
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
"$repo/scripts/package.sh" >/dev/null || exit 1
source "$repo/tests/windows/wine_checks.sh"
source "$repo/tests/window_waits.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$repo/build/CMakeCache.txt")
has() { grep -qF -- "$1" <<<"$output"; }
make_ini() { printf '%s\r\n' "[$2]" "P1_BUTTON1 \"KEYCODE_1\"" >"$1"; }
stripped() { ! x86_64-w64-mingw32-objdump -h "$1" | grep -q '\.debug_info'; }
installs() { dpkg -i "$1" >/dev/null; }
crlf_only() { [[ -s $1 ]] && ! LC_ALL=C grep -q -e $'[^\r]$' -e '^$' "$1"; }
# A grep -P pattern of plain letters as they stand in UTF-16 (version information).
utf16() { sed 's/./&\\x00/g' <<<"$1"; }
# The version resource's ProductVersion and the manifest's assemblyIdentity.
says_version() {
  grep -qaP "$(utf16 ProductVersion)(\\x00)+$(utf16 "$version")\\x00" "$1" && grep -qaF "version=\"$version.0\"" "$1"
}
has_manifest() { grep -qa '<longPathAware[^>]*>true<' "$1" && grep -qa 'level="asInvoker"' "$1"; }
no_window_of_ours() { ! wine "$repo/build-win/tests/window_probe.exe" >/dev/null 2>&1; }
only_files() { [[ $(cd "$1" && ls -A | sort | tr '\n' ' ') == "$2" ]]; }

# --- The Windows zip.
folder="$work/My Programs/brantel-$version-win64"
mkdir -p "$work/My Programs"
unzip -q "$repo/dist/brantel-$version-win64.zip" -d "$work/My Programs"
programs=(brantel-manager.exe brantel-convert.exe "list generator/listgen.exe")
texts=(README.txt licences/brantel.txt licences/expat.txt licences/gcc-runtime.txt licences/mingw-w64.txt)
for file in "${programs[@]}" "${texts[@]}"; do
  check "zip holds $file" test -f "$folder/$file"
done
for file in "${texts[@]}"; do
  check "zip: $file in CR LF" crlf_only "$folder/$file"
done
check "zip: brantel's MIT licence" contains "$folder/licences/brantel.txt" "the brantel Manager authors"
check "zip: the GCC Runtime Library Exception 3.1" contains "$folder/licences/gcc-runtime.txt" "Version 3.1, 31 March 2009"
check "zip: and the GPL 3 it refers to" contains "$folder/licences/gcc-runtime.txt" "Version 3, 29 June 2007"
check "zip: README.txt says how to remove it" contains "$folder/README.txt" '%LOCALAPPDATA%\brantel'
for program in "${programs[@]}"; do
  check "zip: $program stripped" stripped "$folder/$program"
  check "zip: $program has version information" grep -qaP "$(utf16 ProductName)" "$folder/$program"
  check "zip: $program's version information and manifest say $version" says_version "$folder/$program"
  check "zip: $program's version information names the licence" \
    grep -qaP "$(utf16 LegalCopyright).*$(utf16 'the brantel Manager authors')" "$folder/$program"
  check "zip: $program has a manifest with long paths and asInvoker" has_manifest "$folder/$program"
done
check "zip: the window's manifest asks for per-monitor DPI" grep -q PerMonitorV2 "$folder/brantel-manager.exe"
mame=$work/mame
mkdir -p "$mame/ctrlr/arcade"
cp "$repo/build-win/tests/stand_in_mame.exe" "$mame/mame.exe"
make_ini "$mame/ctrlr/arcade/pacman.ini" pacman
output=$(cd "$work" && wine "$folder/brantel-convert.exe" arcade "Z:${mame//\//\\}\\" mame.exe 2>/dev/null | tr -d '\r')
check "zip: Convert completes ($output)" has "Conversion Complete!"
check "zip: combined file written" contains "$mame/ctrlr/arcade.cfg" '<system name="pacman">'
check "zip: master list beside the program" contains "$folder/masterlist.lst" "mspacman|"

# The version, in the window's system menu: Alt+Space, then Up to its last
# item (Wine's own "About Wine" shares the access key A); tried again should
# the keys come before the menu.
(cd "$work" && exec wine "$folder/brantel-manager.exe") &
pid=$!
if form=$(window_named "brantel Manager"); then
  for _ in 1 2 3; do
    keys_to "$form" alt+space Up Return
    about=$(window_named "About brantel Manager") && break
    xdotool key Escape Escape
  done
  check "zip: the system menu's About names the version" test -n "${about:-}"
  [[ -n ${about:-} ]] && keys_to "$about" Return
  keys_to "$form" alt+F4
fi
check "zip: the window ends on Alt+F4" ended_within_20_s "$pid"

inside_zip=$work/Temp1_brantel.zip
mkdir -p "$inside_zip"
cp "$folder/brantel-convert.exe" "$folder/brantel-manager.exe" "$inside_zip/"
# The program says so on standard error, as every failure.
output=$(cd "$work" && wine "$inside_zip/brantel-convert.exe" arcade "Z:${mame//\//\\}\\" mame.exe 2>&1 | tr -d '\r')
check "zip: brantel-convert.exe alone asks to extract all files first ($output)" has "Extract all files first"
(cd "$work" && exec wine "$inside_zip/brantel-manager.exe") &
pid=$!
box=$(window_named "brantel Manager")
check "zip: brantel-manager.exe alone shows a box at start" test -n "$box"
check "zip: ... and not the window" no_window_of_ours
[[ -n $box ]] && keys_to "$box" Return
check "zip: brantel-manager.exe alone ends after the box" ended_within_20_s "$pid"
check "zip: started alone, the programs write nothing" only_files "$inside_zip" "brantel-convert.exe brantel-manager.exe "

# --- The Debian package, as lintian and a desktop see it, then installed
# into this system and removed again.
deb=$repo/dist/brantel_${version}_amd64.deb
depends=$(dpkg-deb -f "$deb" Depends)
check "deb depends on Qt 6 Widgets ($depends)" grep -q libqt6widgets6 <<<"$depends"
check "deb depends on expat ($depends)" grep -q libexpat1 <<<"$depends"
tags=$(lintian --pedantic --display-info --tag-display-limit 0 "$deb" 2>/dev/null)
# Besides errors and warnings, the hints of what was mended must not return.
mended='^[EW]:|hardening-no-(relro|bindnow|pie)|binary-has-unneeded-section|lacks-keywords|no-manual-page'
check "lintian --pedantic: no error or warning ($(grep -E "$mended" <<<"$tags"))" \
  test -z "$(grep -E "$mended" <<<"$tags")"
grep -E '^[IP]:' <<<"$tags" | sed 's/^/lintian, left: /'
unpacked=$work/deb
dpkg-deb -x "$deb" "$unpacked"
check "desktop-file-validate says nothing" \
  test -z "$(desktop-file-validate "$unpacked/usr/share/applications/brantel-manager.desktop" 2>&1)"
for size in 16 32 48 64 128 256; do
  check "deb: icon of $size pixels" \
    grep -q "$size x $size" <<<"$(file -b "$unpacked/usr/share/icons/hicolor/${size}x$size/apps/brantel-manager.png")"
done
for page in brantel-convert brantel-manager; do
  file=$unpacked/usr/share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  check "man -l $page: no warnings ($warnings)" test -z "$warnings"
  check "man -l $page: files and exit status" \
    grep -qzE 'EXIT STATUS.*FILES.*\.config/brantel' <<<"$(MANWIDTH=200 man -l "$file" 2>/dev/null)"
done
skipped=""
if [[ $(id -u) -ne 0 ]]; then
  skipped="installing the .deb, which needs root"
elif dpkg-query -W brantel >/dev/null 2>&1; then
  skipped="installing the .deb, as a brantel package is already installed ($(dpkg-query -W -f='${Version}' brantel))"
else
  remove_package() { dpkg -r brantel >/dev/null 2>&1; }
  trap 'remove_package; [[ -n $own_prefix ]] && wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
  check "deb installs with dpkg -i" installs "$deb"
  for file in /usr/share/applications/brantel-manager.desktop /usr/share/doc/brantel/copyright \
              /usr/share/icons/hicolor/16x16/apps/brantel-manager.png \
              "/usr/lib/brantel/list generator/listgen" /usr/bin/brantel-manager; do
    check "deb installs $file" test -e "$file"
  done
  check "deb: man brantel-convert" grep -q "brantel-convert" <<<"$(MANPAGER=cat man brantel-convert 2>/dev/null)"
  home=$work/home
  mkdir -p "$home/mame/ctrlr/arcade"
  make_ini "$home/mame/ctrlr/arcade/pacman.ini" pacman
  chmod 755 "$work"
  chown -R nobody "$home"
  output=$(cd "$home" && runuser -u nobody -- env -i HOME="$home" brantel-convert --help 2>&1)
  check "deb: the usage names the user's settings file ($output)" has "$home/.config/brantel/brantel.cfg"
  check "deb: the usage names the user's master list" has "$home/.cache/brantel/masterlist.lst"
  check "deb: the usage makes no folder" test ! -e "$home/.config/brantel"
  output=$(cd "$home" && runuser -u nobody -- env -i HOME="$home" PATH=/usr/bin:/bin:/usr/games \
           brantel-convert arcade "$home/mame/" mame 2>&1)
  check "deb: brantel-convert from PATH completes ($output)" has "Conversion Complete!"
  check "deb: combined file written" contains "$home/mame/ctrlr/arcade.cfg" '<system name="pacman">'
  check "deb: settings in the user's settings folder" contains "$home/.config/brantel/brantel.cfg" arcade
  check "deb: master list in the user's cache folder" contains "$home/.cache/brantel/masterlist.lst" "pacman|"
  check "deb: nothing written beside the program" test ! -e /usr/lib/brantel/brantel.cfg
  timeout 3 runuser -u nobody -- env -i HOME="$home" QT_QPA_PLATFORM=offscreen brantel-manager >/dev/null 2>&1
  check "deb: brantel-manager from PATH starts and stays" test $? -eq 124
  remove_package
  check "deb removed" test ! -e /usr/bin/brantel-convert
fi

# Said in the result line, and in scripts/test.sh's summary of the suite.
echo "packages: $passed passed, $failed failed${skipped:+; skipped: $skipped}"
[[ -n $skipped && -n ${BRANTEL_SUITE_NOTE:-} ]] && echo "skipped: $skipped" >"$BRANTEL_SUITE_NOTE"
[[ $failed == 0 ]]
