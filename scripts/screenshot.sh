#!/bin/sh
# Writes docs/screenshot.png: the window as a user first sees it, opened on a
# virtual screen (Xvfb) from a start folder whose "stormcabinet" folder holds a
# few controller files. Builds brantel-manager first when needed. When the
# Windows build holds brantel-manager.exe and Wine is installed, it also
# writes docs/screenshot-windows.png and docs/screenshot-windows-150.png: the
# native window under Wine at 100 % (96 DPI) and 150 % (144 DPI).
#   scripts/screenshot.sh [build folder [Windows build folder]]
#                                 (default: build and build-win)
set -eu

title="brantel Manager"

# Second stage, run by xvfb-run: start the window, grab it, close it.
if [ "${1:-}" = "--on-display" ]; then
  program=$2
  picture=$3
  case $program in
    *.exe) wine "$program" & ;;
    # The first-start MAME path comes from HOME: show an ordinary user's, not
    # that of whoever takes the picture.
    *) HOME=/home/user "$program" & ;;
  esac
  pid=$!
  tries=0
  until xwininfo -name "$title" >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "screenshot: the window did not appear" >&2
      kill "$pid"
      exit 1
    fi
    sleep 0.1
  done
  sleep 1  # let the first activation load the settings and paint
  import -window "$title" "$picture"
  kill "$pid"
  wait "$pid" || true
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k || true; fi
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

# A program folder of its own, so that no settings file of a real run shows.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/program" "$stage/start/stormcabinet"
cp "$build/bin/brantel-manager" "$stage/program/"
for game in default galaga mspacman pacman robotron; do
  printf '[%s]\r\n' "$game" > "$stage/start/stormcabinet/$game.ini"
done

mkdir -p "$root/docs"
cd "$stage/start"
xvfb-run -a -s "-screen 0 800x600x24" \
  "$root/scripts/screenshot.sh" --on-display "$stage/program/brantel-manager" "$stage/screenshot.png"
cp "$stage/screenshot.png" "$root/docs/screenshot.png"
echo "wrote $root/docs/screenshot.png"

windows_program=$build_win/bin/brantel-manager.exe
if [ -f "$windows_program" ] && command -v wine >/dev/null; then
  cp "$windows_program" "$stage/program/"
  WINEPREFIX=$stage/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
      wineboot -i >/dev/null 2>&1 && wineserver -w &&
      "$0" --on-display "$1" "$2" &&
      wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 &&
      wineserver -w && "$0" --on-display "$1" "$3"' \
    "$root/scripts/screenshot.sh" "$stage/program/brantel-manager.exe" "$stage/screenshot-windows.png" \
    "$stage/screenshot-windows-150.png"
  for picture in screenshot-windows.png screenshot-windows-150.png; do
    cp "$stage/$picture" "$root/docs/$picture"
    echo "wrote $root/docs/$picture"
  done
else
  echo "no $windows_program or no Wine: docs/screenshot-windows.png left as it is"
fi
