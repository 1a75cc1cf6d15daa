# Sourced by the scripts: installs what building, running and testing need, when it is missing.
# Debian packages only; apt-get update runs once, and only when something is missing.

# clang-14 and libclang-rt-14-dev (libFuzzer and the sanitizer runtimes) build the native fuzz target.
tarvisk_packages=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
                  wine wine64 fonts-wine xvfb x11-utils googletest python3 imagemagick locales
                  clang-14 libclang-rt-14-dev)

# The user locales the tests start Wine with. Wine takes the Windows user locale from the name,
# but the character set of file names from the C library, which needs the locale installed.
tarvisk_locales=(en_US de_DE de_AT de_CH fr_FR nl_NL)

tarvisk_install() {
  tarvisk_install_packages "$@"
  tarvisk_make_locales
}

tarvisk_install_packages() {
  local missing=()
  for package in "${tarvisk_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  # With recommends: Wine's X11 driver uses several of them (Xrender, Xrandr, Xcursor, ...).
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

tarvisk_make_locales() {
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  for name in "${tarvisk_locales[@]}"; do
    locale -a 2>/dev/null | grep -qx "$name.utf8" || $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8"
  done
}

tarvisk_build() {
  local build=$1
  cmake -S "$tarvisk_root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$tarvisk_root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build" -j"$(nproc)"
}

# Starts a private Xvfb when no display is set; tarvisk_stop_display stops it again by process id.
tarvisk_xvfb_pid=""
tarvisk_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  tarvisk_xvfb_pid=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

tarvisk_stop_display() {
  if [ -n "$tarvisk_xvfb_pid" ]; then
    kill "$tarvisk_xvfb_pid" 2>/dev/null
    wait "$tarvisk_xvfb_pid" 2>/dev/null
  fi
  tarvisk_xvfb_pid=""
  return 0
}

# Stops the persistent wineservers of the given prefixes, by the process ids they left there,
# after ending the Wine processes still running in each prefix.
tarvisk_stop_wine() {
  local wineserver=/usr/lib/wine/wineserver
  [ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo true)
  for prefix in "$@"; do
    [ -f "$prefix/.wineserver.pid" ] || continue
    # Wine takes only an absolute prefix; with a relative one the server's processes would outlive it.
    WINEPREFIX=$(cd "$prefix" && pwd) timeout 20 "$wineserver" -k 2>/dev/null
    kill "$(cat "$prefix/.wineserver.pid")" 2>/dev/null
    rm -f "$prefix/.wineserver.pid"
  done
  return 0
}

# For a script that runs Windows programs in one prefix: a display, the prefix with its
# wineserver, and the Wine loader in $tarvisk_wine. Everything is stopped again when the
# script exits.
tarvisk_open_prefix() {
  tarvisk_prefix=$1
  trap tarvisk_close_prefix EXIT
  tarvisk_start_display
  export WINEPREFIX=$tarvisk_prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  "$tarvisk_root/tests/wine/make-prefix.sh" "$tarvisk_prefix"
  tarvisk_wine=$("$tarvisk_root/tests/wine/find-wine.sh")
}

tarvisk_close_prefix() {
  set +e
  tarvisk_stop_wine "$tarvisk_prefix"
  tarvisk_stop_display
}
