#!/bin/sh
# Writes docs/screenshot.png: the window as a user first sees it, opened on a
# virtual screen (Xvfb) for a user whose MAME folder's ctrlr holds a
# "stormcabinet" folder of a few controller files; and
# docs/screenshot-busy.png: the same window after Alt+C, while the list
# generator (a stand-in that waits) runs. Builds brantel-manager first when
# needed. When the Windows build holds brantel-manager.exe and Wine is
# installed, it also writes docs/screenshot-windows.png and
# docs/screenshot-busy-windows.png: the native window under Wine; and
# docs/screenshot-windows-150.png: the same at 150 % (144 DPI).
#   scripts/screenshot.sh [build folder [Windows build folder]]
#                                 (default: build and build-win)
set -eu

title="brantel Manager"

# Waits up to 10 s for a window whose whole title matches; prints its id.
window_named() {
  tries=0
  until id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "screenshot: no window \"$1\"" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "$id"
}

# Second stage, run by xvfb-run: start the window, grab it, press Alt+C and
# grab it again while the list generator runs, then end it.
if [ "${1:-}" = "--on-display" ]; then
  program=$2
  picture=$3
  busy_picture=$4
  # A window manager draws the frame, whose caption tells what is going on.
  wm=
  if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
  fi
  case $program in
    *.exe) wine "$program" & ;;
    *) "$program" & ;;
  esac
  pid=$!
  form=$(window_named "$title") || { kill "$pid"; exit 1; }
  sleep 1  # let the first activation load the settings and paint
  import -frame -window "$form" "$picture"
  xdotool windowactivate --sync "$form" key alt+c
  busy=$(window_named "$title - making the master list, 2 s") || { kill "$pid"; exit 1; }
  import -frame -window "$busy" "$busy_picture"
  kill "$pid"
  wait "$pid" || true
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k || true; fi
  if [ -n "$wm" ]; then kill "$wm" || true; fi
  exit 0
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
build_win=${2:-$root/build-win}
case $build_win in /*) ;; *) build_win=$(pwd)/$build_win ;; esac

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build"
fi
cmake --build "$build" --target brantel-manager

# A program folder of its own, so that no settings file of a real run shows,
# with a list generator that only waits.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/program/list generator" "$stage/start"
cp "$build/bin/brantel-manager" "$stage/program/"
printf '#!/bin/sh\nsleep 30\n' >"$stage/program/list generator/listgen"
chmod +x "$stage/program/list generator/listgen"
add_old_folder() {
  mkdir -p "$1"
  # A MAME in the MAME folder two levels up, for Convert to find.
  printf '#!/bin/sh\n' >"$1/../../mame" && chmod +x "$1/../../mame" && : >"$1/../../mame.exe"
  for game in default galaga mspacman pacman robotron; do
    printf '[%s]\r\n' "$game" >"$1/$game.ini"
  done
}
# On Linux a new window looks for MAME in the home folder.
add_old_folder "$stage/home/user/mame/ctrlr/stormcabinet"

mkdir -p "$root/docs"
cd "$stage/start"
HOME=$stage/home/user xvfb-run -a -s "-screen 0 800x600x24" "$root/scripts/screenshot.sh" --on-display \
  "$stage/program/brantel-manager" "$stage/screenshot.png" "$stage/screenshot-busy.png"
cp "$stage/screenshot.png" "$stage/screenshot-busy.png" "$root/docs/"
echo "wrote $root/docs/screenshot.png and screenshot-busy.png"

windows_program=$build_win/bin/brantel-manager.exe
stand_in=$build_win/tests/stand_in_listgen.exe
if [ -f "$windows_program" ] && [ -f "$stand_in" ] && command -v wine >/dev/null; then
  rm -f "$stage/program/brantel.cfg"  # the Linux window's Convert saved its texts
  cp "$windows_program" "$stage/program/"
  cp "$stand_in" "$stage/program/list generator/listgen.exe"
  echo 30 >"$stage/program/list generator/running-seconds.txt"
  # A new Windows window looks for MAME in e:\mame\.
  add_old_folder "$stage/drive-e/mame/ctrlr/stormcabinet"
  WINEPREFIX=$stage/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
      wineboot -i >/dev/null 2>&1 && wineserver -w &&
      ln -s "$4" "$WINEPREFIX/dosdevices/e:" &&
      "$0" --on-display "$1" "$2" "$3" &&
      wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 &&
      wineserver -w && "$0" --on-display "$1" "$5" "$6"' \
    "$root/scripts/screenshot.sh" "$stage/program/brantel-manager.exe" "$stage/screenshot-windows.png" \
    "$stage/screenshot-busy-windows.png" "$stage/drive-e" "$stage/screenshot-windows-150.png" \
    "$stage/busy-150.png"
  cp "$stage/screenshot-windows.png" "$stage/screenshot-busy-windows.png" "$stage/screenshot-windows-150.png" \
    "$root/docs/"
  echo "wrote $root/docs/screenshot-windows.png, screenshot-busy-windows.png and screenshot-windows-150.png"
else
  echo "no $windows_program, its stand-in list generator or Wine: the Windows screenshots left as they are"
fi
