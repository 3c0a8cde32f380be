# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by tools/run and tools/test: Debian packages and the build folder.

ORX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ORX_BUILD="${ORX_BUILD:-$ORX_ROOT/build}"

# Installs whichever of the given Debian packages are missing.
ensure_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  # A mirror in the middle of a sync fails some index; the lists as they were may still do.
  "${sudo[@]}" apt-get update -qq ||
    echo "apt-get update failed in part; installing from the package lists as they are" >&2
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

ORX_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-httpserver-dev
  qt6-websockets-dev libqrencode-dev pkgconf libqt6svg6 fonts-comic-neue
  qt6-translations-l10n)
# What the test suite needs beyond the build: GoogleTest, the Windows cross compiler, clang for
# the fuzzer, chattr, Hamlib's own client for the control port, the Debian package tools and
# checkers, Wine, the faces it is given in place of Windows' own (DejaVu's, and fontTools to
# make the stand-ins from them) and the Slovenian locale that gives it code page 1250, desktop
# themes (qt6ct, and GTK's through Qt's gtk3 theme) that the window's face must withstand, an
# X server, a session bus and AT-SPI's Python binding to read what a screen reader gets, a FAT
# file system in user space; mandoc lints the manual pages, reuse the licence notices and
# hardening-check (devscripts) the packaged program; Chromium is the browser the web page is
# tested in, and zbarimg reads back the QR code that the window shows for the phone.
ORX_TEST_PACKAGES=(libgtest-dev g++-mingw-w64-x86-64 clang e2fsprogs libhamlib-utils
  dpkg-dev debhelper build-essential lintian file desktop-file-utils appstream systemd man-db
  wine64 fonts-dejavu-core python3-fonttools python3 locales qt6ct xvfb xauth xdotool
  python3-pyatspi at-spi2-core dbus-daemon fusefat dosfstools qt6-gtk-platformtheme mandoc reuse
  devscripts chromium zbar-tools)

# Configures (once) and builds the given targets in the shared build folder.
build_targets() {
  if [ ! -f "$ORX_BUILD/build.ninja" ]; then
    cmake -S "$ORX_ROOT" -B "$ORX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$ORX_BUILD" -j2 ${1:+--target "$@"}
}

# Qt wants a private runtime folder; give it one so that it does not warn as root.
private_runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    export XDG_RUNTIME_DIR="/tmp/orx-runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 0700 "$XDG_RUNTIME_DIR"
  fi
}
