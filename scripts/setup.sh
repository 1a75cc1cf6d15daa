# Sourced by the scripts: installs what building, running and testing need, when it is missing.
# Debian packages only; apt-get update runs once, and only when something is missing.

# clang-14 and libclang-rt-14-dev (libFuzzer and the sanitizer runtimes) build the native fuzz target.
tarvisk_packages=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
                  wine wine64 xvfb x11-utils googletest python3 imagemagick clang-14 libclang-rt-14-dev)

tarvisk_install() {
  local missing=()
  for package in "${tarvisk_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
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

# Stops the persistent wineservers of the prefixes below a folder, by the process ids they
# left there, after ending the Wine processes still running in each prefix.
tarvisk_stop_wine() {
  local wineserver=/usr/lib/wine/wineserver
  [ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo true)
  for pid_file in "$1"/*/.wineserver.pid; do
    [ -f "$pid_file" ] || continue
    WINEPREFIX=$(dirname "$pid_file") timeout 20 "$wineserver" -k 2>/dev/null
    kill "$(cat "$pid_file")" 2>/dev/null
    rm -f "$pid_file"
  done
  return 0
}
