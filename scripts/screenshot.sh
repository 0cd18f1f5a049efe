#!/usr/bin/env bash
# Writes the pictures in docs/ of the window as a user sees it, on a virtual
# screen (Xvfb) under a window manager (openbox), for a user whose MAME
# folder's ctrlr holds a few old controller folders. Linux (Qt), with the MAME
# folder /home/user/mame/ (the home folder is one of the script's own, put in
# place in a mount namespace of its own where unshare allows it):
#   screenshot.png, screenshot-150.png, screenshot-200.png
#                              the window at 100 %, 150 % and 200 %
#   screenshot-list.png        Text1's list of old folders, open
#   screenshot-busy.png        after Alt+C, while the list generator runs
#   screenshot-cancelled.png   after Escape meanwhile
#   screenshot-notes.png       the notes of a folder with many of them
# and when the Windows build holds brantel-manager.exe and Wine is installed,
# the same of the native window under Wine (MAME in e:\mame\), named
# screenshot-windows*.png, at 96, 144 and 192 DPI, and of the Windows window
# at 96 and 192 DPI also screenshot-windows-complete.png (the completion box)
# and, at 192 DPI, screenshot-windows-busy-200.png and
# screenshot-windows-complete-200.png.
#
#   scripts/screenshot.sh [build folder [Windows build folder]]
#                                 (default: build and build-win)
#
# With BRANTEL_SCREENSHOTS=windows only the Windows pictures are made.
set -euo pipefail

title="brantel Manager"
root=$(cd "$(dirname "$0")/.." && pwd)
self=$root/scripts/screenshot.sh

# Waits for the program's windows to number more than $1: a list opened.
more_windows_than() { (($(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l) > $1)); }
window_count() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# The screen where window $1 and what it opened lie, taken once it stands.
shoot_screen_around() {
  local x y width height
  eval "$(xdotool getwindowgeometry --shell "$1")"
  x=$((X > 30 ? X - 30 : 0)) y=$((Y > 40 ? Y - 40 : 0))
  wait_until_painted root "$2.screen.png"
  convert "$2.screen.png" -crop "$((WIDTH + 60))x$((HEIGHT + 60))+$x+$y" +repage "$2"
}

busy_painted() { import -window "$1" "$2" 2>/dev/null && shows_text "$2"; }

start_program() {
  case $program in
    *.exe) wine "$program" & ;;
    *) "$program" & ;;
  esac
  pid=$!
  form=$(wait_for_window "$title")
}

end_program() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [[ $program == *.exe ]]; then wineserver -w || true; fi
}

# Second stage, run by xvfb-run: the pictures of one program at one scale,
# into OUT-NAME.png; at 100 % all of them, otherwise the window alone.
on_display() {
  program=$1 out=$2 everything=$3
  source "$root/tests/window_waits.sh"
  openbox >/dev/null 2>&1 &
  local wm=$!
  wait_for_window_manager
  start_program
  wait_until_painted "$form" "$out-main.png"
  import -frame -window "$form" "$out-main.png"
  if [[ $everything == yes ]]; then
    local before
    before=$(window_count)
    keys_to "$form" alt+n alt+Down
    poll_until more_windows_than "$before"
    shoot_screen_around "$form" "$out-list.png"
    keys_to "$form" Escape

    keys_to "$form" alt+c
    local busy box
    busy=$(wait_for_window "$title - making the master list, 2 s")
    # The Windows window's busy bar moves, so no two pictures of it are
    # alike: one with its text drawn.
    if [[ $program == *.exe ]]; then
      poll_until busy_painted "$busy" "$out-busy.png"
    else
      wait_until_painted "$busy" "$out-busy.png"
    fi
    import -frame -window "$busy" "$out-busy.png"
    keys_to "$form" Escape
    box=$(wait_for_window "Conversion Cancelled")
    wait_until_painted "$box" "$out-cancelled.png"
    import -frame -window "$box" "$out-cancelled.png"
    keys_to "$box" Return

    rm "$seconds_file"
    keys_to "$form" alt+n ctrl+a
    xdotool type --delay 20 hotrod
    keys_to "$form" alt+c
    box=$(wait_for_window "Conversion Notes")
    wait_until_painted "$box" "$out-notes.png"
    import -frame -window "$box" "$out-notes.png"
    keys_to "$box" Return
    box=$(wait_for_window "Conversion Complete!")
    wait_until_painted "$box" "$out-complete.png"
    import -frame -window "$box" "$out-complete.png"
    keys_to "$box" Return
  fi
  end_program
  kill "$wm" 2>/dev/null || true
}

if [[ ${1:-} == --on-display ]]; then
  seconds_file=$5
  on_display "$2" "$3" "$4"
  exit 0
fi

build=${1:-$root/build}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
build_win=${2:-$root/build-win}
case $build_win in /*) ;; *) build_win=$(pwd)/$build_win ;; esac
if [[ ${BRANTEL_SCREENSHOTS:-} != windows ]]; then
  if [[ ! -f $build/CMakeCache.txt ]]; then cmake -S "$root" -B "$build"; fi
  cmake --build "$build" --target brantel-manager
fi

stage=$(mktemp -d)
[[ -n ${BRANTEL_KEEP_SHOTS:-} ]] || trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/program/list generator" "$stage/start" "$stage/shots"
if [[ ${BRANTEL_SCREENSHOTS:-} != windows ]]; then cp "$build/bin/brantel-manager" "$stage/program/"; fi
# A list generator that waits while "seconds" is there, then writes the list.
printf '%s\n' '#!/bin/sh' 'if [ -f seconds ]; then sleep "$(cat seconds)"; fi' 'cp prepared.lst ../masterlist.lst' \
  >"$stage/program/list generator/listgen"
chmod +x "$stage/program/list generator/listgen"
for game in galaga mspacman pacman robotron; do
  printf '%s|x|1980|x|%s|MAME|x|x|x|2\r\n' "$game" "$game"
done >"$stage/program/list generator/prepared.lst"

# Old folders: a few, one holding INI files of a dozen games with old names
# and lines MAME no longer applies, for a long list of notes.
add_old_folders() {
  local ctrlr=$1/ctrlr game
  # A MAME in the MAME folder, for Convert to find.
  mkdir -p "$1"
  printf '#!/bin/sh\n' >"$1/mame" && chmod +x "$1/mame" && : >"$1/mame.exe"
  for folder in stormcabinet xarcade; do
    mkdir -p "$ctrlr/$folder"
    for game in default galaga mspacman pacman robotron; do printf '[%s]\r\n' "$game" >"$ctrlr/$folder/$game.ini"; done
  done
  mkdir -p "$ctrlr/hotrod"
  for game in default galaga mspacman pacman robotron 1942 dkong frogger qbert tempest; do
    printf '%s\r\n' "[$game]" 'ctrlrname "HotRod Joystick"' 'mouse 1' 'P1_BUTTON1 "KEYCODE_LCONTROL | KEYCODE_0_PAD"' \
      'P1_PADDLE "KEYCODE_LEFT"' 'P1_PADDLE_EXT "KEYCODE_RIGHT"' 'P1_BUTTONX "KEYCODE_A"' \
      'P2_BUTTON1 = "KEYCODE_A"' 'KEYCODE_LEFT "KEYCODE_4_PAD | KEYCODE_6_PAD"' 'P1_PEDAL_EXT "KEYCODE_B"' \
      >"$ctrlr/hotrod/$game.ini"
  done
}
mkdir -p "$stage/home/user/mame"
add_old_folders "$stage/home/user/mame"
printf 'ctrlr                     stormcabinet\n' >"$stage/home/user/mame/mame.ini"
mkdir -p "$root/docs"

# Linux: Qt scales itself by QT_SCALE_FACTOR.
cd "$stage/start"
linux_shots() {
  local scale
  for scale in 1 1.5 2; do
    echo 30 >"$stage/program/list generator/seconds"
    rm -f "$stage/program/brantel.cfg"
    HOME=$1 QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 1600x1300x24" "$self" --on-display \
      "$stage/program/brantel-manager" "$stage/shots/linux-$scale" "$([[ $scale == 1 ]] && echo yes || echo no)" \
      "$stage/program/list generator/seconds"
  done
}
export -f linux_shots
export stage self
if [[ ${BRANTEL_SCREENSHOTS:-} != windows ]]; then
  if unshare -rm true 2>/dev/null; then
    unshare -rm bash -c 'mount --bind "$1/home" /home && linux_shots /home/user' _ "$stage"
  else
    linux_shots "$stage/home/user"
  fi
  cp "$stage/shots/linux-1-main.png" "$root/docs/screenshot.png"
  cp "$stage/shots/linux-1.5-main.png" "$root/docs/screenshot-150.png"
  cp "$stage/shots/linux-2-main.png" "$root/docs/screenshot-200.png"
  for kind in list busy cancelled notes; do cp "$stage/shots/linux-1-$kind.png" "$root/docs/screenshot-$kind.png"; done
  echo "wrote the Linux pictures in $root/docs"
fi

windows_program=$build_win/bin/brantel-manager.exe
stand_in=$build_win/tests/stand_in_listgen.exe
if [[ ! -f $windows_program || ! -f $stand_in ]] || ! command -v wine >/dev/null; then
  echo "no $windows_program, its stand-in list generator or Wine: the Windows pictures left as they are"
  exit 0
fi
rm -f "$stage/program/brantel.cfg"
cp "$windows_program" "$stage/program/"
cp "$stand_in" "$stage/program/list generator/listgen.exe"
add_old_folders "$stage/drive-e/mame"
printf 'ctrlr                     stormcabinet\r\n' >"$stage/drive-e/mame/mame.ini"
export WINEPREFIX=$stage/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a sh -c 'wineboot -i >/dev/null 2>&1 && wineserver -w'
ln -s "$stage/drive-e" "$WINEPREFIX/dosdevices/e:"
for dpi in 96 144 192; do
  echo 30 >"$stage/program/list generator/running-seconds.txt"
  rm -f "$stage/program/brantel.cfg"
  xvfb-run -a -s "-screen 0 1600x1300x24" sh -c '
    wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
    wineserver -w && shift && exec "$@"' _ "$dpi" \
    "$self" --on-display "$stage/program/brantel-manager.exe" "$stage/shots/windows-$dpi" \
    "$([[ $dpi != 144 ]] && echo yes || echo no)" "$stage/program/list generator/running-seconds.txt"
done
cp "$stage/shots/windows-96-main.png" "$root/docs/screenshot-windows.png"
cp "$stage/shots/windows-144-main.png" "$root/docs/screenshot-windows-150.png"
cp "$stage/shots/windows-192-main.png" "$root/docs/screenshot-windows-200.png"
for kind in list busy cancelled notes complete; do
  cp "$stage/shots/windows-96-$kind.png" "$root/docs/screenshot-windows-$kind.png"
done
for kind in busy complete; do cp "$stage/shots/windows-192-$kind.png" "$root/docs/screenshot-windows-$kind-200.png"; done
echo "wrote the Windows pictures in $root/docs"
