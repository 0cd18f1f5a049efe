#!/usr/bin/env bash
# Installs the Debian packages the build needs, when some are missing.
#   scripts/setup.sh run    what building and running the program needs
#   scripts/setup.sh test   what building and running every test needs
set -euo pipefail

run_packages=(cmake ninja-build g++ libexpat1-dev libxxhash-dev qt6-base-dev fonts-liberation)
test_packages=("${run_packages[@]}" libgtest-dev xvfb xauth x11-utils imagemagick mame
               g++-mingw-w64-x86-64 wine wine64 dpkg-dev locales xdotool openbox wmctrl unzip
               lintian desktop-file-utils man-db file strace procps util-linux)

case "${1:-run}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them (as root: apt-get install ${missing[*]}) and run again." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
