#!/usr/bin/env bash
# Checks the two packages as a user gets them (scripts/test.sh runs it after
# the Windows tests; it makes them first with scripts/package.sh):
#
# - the zip, unpacked into a folder whose name has spaces, converts a folder
#   under Wine, its real list generator reading a stand-in mame.exe; its
#   window program alone, as Explorer starts it from inside the zip, asks to
#   extract all files first (shown here by brantel-convert.exe, which prints
#   the same message);
# - as root, the .deb installs with dpkg -i, and brantel-convert from PATH,
#   run by the ordinary user "nobody", converts a folder with the installed
#   MAME, keeping its settings and master list in that user's own folders
#   (the program folder /usr/lib/brantel cannot be written); then the package
#   is removed again.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
"$repo/scripts/package.sh" >/dev/null || exit 1
source "$repo/tests/windows/wine_checks.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$repo/build/CMakeCache.txt")
contains() { [[ -f $1 ]] && grep -qF -- "$2" "$1"; }
has() { grep -qF -- "$1" <<<"$output"; }
make_ini() { printf '%s\r\n' "[$2]" "P1_BUTTON1 \"KEYCODE_1\"" >"$1"; }
stripped() { ! x86_64-w64-mingw32-objdump -h "$1" | grep -q '\.debug_info'; }
installs() { dpkg -i "$1" >/dev/null; }

# --- The Windows zip.
folder="$work/My Programs/brantel-$version-win64"
mkdir -p "$work/My Programs"
unzip -q "$repo/dist/brantel-$version-win64.zip" -d "$work/My Programs"
for file in brantel-manager.exe brantel-convert.exe "list generator/listgen.exe" README.txt \
            licences/expat.txt licences/gcc-runtime.txt licences/mingw-w64.txt; do
  check "zip holds $file" test -f "$folder/$file"
done
for program in brantel-manager.exe brantel-convert.exe "list generator/listgen.exe"; do
  check "zip: $program stripped" stripped "$folder/$program"
  check "zip: $program has version information" grep -qaP 'P\x00r\x00o\x00d\x00u\x00c\x00t\x00N\x00a\x00m\x00e' "$folder/$program"
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

inside_zip=$work/Temp1_brantel.zip
mkdir -p "$inside_zip"
cp "$folder/brantel-convert.exe" "$inside_zip/"
output=$(cd "$work" && wine "$inside_zip/brantel-convert.exe" arcade "Z:${mame//\//\\}\\" mame.exe 2>/dev/null | tr -d '\r')
check "zip: started alone, asks to extract all files first ($output)" has "Extract all files first"

# --- The Debian package, installed into this system and removed again.
deb=$repo/dist/brantel_${version}_amd64.deb
depends=$(dpkg-deb -f "$deb" Depends)
check "deb depends on Qt 6 Widgets ($depends)" grep -q libqt6widgets6 <<<"$depends"
check "deb depends on expat ($depends)" grep -q libexpat1 <<<"$depends"
if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: installing the .deb needs root"
elif dpkg-query -W brantel >/dev/null 2>&1; then
  echo "SKIP: a brantel package is already installed"
else
  remove_package() { dpkg -r brantel >/dev/null 2>&1; }
  trap 'remove_package; [[ -n $own_prefix ]] && wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
  check "deb installs with dpkg -i" installs "$deb"
  for file in /usr/share/applications/brantel-manager.desktop \
              /usr/share/icons/hicolor/256x256/apps/brantel-manager.png \
              "/usr/lib/brantel/list generator/listgen" /usr/bin/brantel-manager; do
    check "deb installs $file" test -e "$file"
  done
  home=$work/home
  mkdir -p "$home/mame/ctrlr/arcade"
  make_ini "$home/mame/ctrlr/arcade/pacman.ini" pacman
  chmod 755 "$work"
  chown -R nobody "$home"
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

echo "packages: $passed passed, $failed failed"
[[ $failed == 0 ]]
