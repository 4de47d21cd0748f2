#!/usr/bin/env bash
# Sets up a Debian 12 machine for Brevant, builds it, and then either starts
# the program (run) or runs the whole test suite (test).
#   scripts/brevant.sh run    build and start Brevant
#   scripts/brevant.sh test   build and run every test, then again under
#                             AddressSanitizer (with leak checking) and
#                             UndefinedBehaviorSanitizer, then each fuzz
#                             target for 20 s (scripts/fuzz.sh runs longer)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libpng-dev libjpeg-dev libgtest-dev
  fonts-lxgw-wenkai
  xvfb xauth desktop-file-utils openssl
  clang libclang-rt-14-dev
)

install_missing_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root:  apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing Debian packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! { apt-get update -q && apt-get install -y -q --no-install-recommends "${missing[@]}"; }; then
    echo "Could not install: ${missing[*]} (see the apt-get messages above)" >&2
    exit 1
  fi
}

build() {  # build DIR [cmake options...]
  local dir="$1"
  shift
  cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$jobs"
}

case "${1:-}" in
  run)
    install_missing_packages
    build "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "Built $here/build/brevant, but there is no graphical display here (DISPLAY is not set)." >&2
      echo "Start it from a desktop session, or on a virtual display with:" >&2
      echo "  xvfb-run -a $here/build/brevant" >&2
      exit 1
    fi
    exec "$here/build/brevant"
    ;;
  test)
    install_missing_packages
    build "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    (cd "$here/build" && ctest --output-on-failure --parallel "$jobs" --timeout 300)
    echo "== again with AddressSanitizer and UndefinedBehaviorSanitizer =="
    build "$here/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DBREVANT_SANITIZE=ON
    # Leaks fail the run; the suppressions cover only what the toolkit and
    # fontconfig keep for the life of the process once a font is registered.
    # fontconfig has no frame pointers, so only the slow unwinder sees the
    # toolkit's frames that the suppressions name.
    (cd "$here/build-sanitize" &&
      ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:abort_on_error=1 \
      LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure --parallel "$jobs" --timeout 600)
    echo "== each fuzz target for a short run =="
    bash "$here/scripts/fuzz.sh" 20
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
