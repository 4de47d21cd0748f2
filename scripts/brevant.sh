#!/usr/bin/env bash
# Sets up a Debian 12 machine for Brevant, builds it, and then either starts
# the program (run) or runs the whole test suite (test).
#   scripts/brevant.sh run    build and start Brevant
#   scripts/brevant.sh test   build and run every test, then again under
#                             AddressSanitizer (with leak checking) and
#                             UndefinedBehaviorSanitizer, then each fuzz
#                             target for 20 s (scripts/fuzz.sh runs longer)
#   scripts/brevant.sh windows  cross-build the Windows programs into dist/:
#                             brevant.exe and downloader.exe, one static file
#                             each for Windows 7 and later (x86-64)
#   scripts/brevant.sh side-by-side  MainWindow drawn by Qt and by Win32 (after
#                             `test`), side by side in build/side-by-side/
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libpng-dev libjpeg-dev libgtest-dev libicu-dev
  fonts-lxgw-wenkai
  libxcb1-dev
  xvfb xauth openbox x11-utils xdotool desktop-file-utils openssl libssl-dev imagemagick
  libx11-dev libxdamage-dev libfontconfig-dev libfreetype-dev
  # The check that a file write flushes its folder (tests/sync_after_rename.sh).
  strace
  # The Windows build of the core and its tests under Wine (see windows_core_tests).
  mingw-w64 googletest libz-mingw-w64-dev wine wine64 locales
  # The fuzz targets (scripts/fuzz.sh): clang with libFuzzer.
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

# ---- Windows: the portable core cross-built with mingw-w64, its tests run
# under Wine as a Chinese Windows runs them (ANSI code page 936).
windows_core_tests() {  # windows_core_tests DIR
  local dir="$1"
  build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw-w64-x86_64.cmake"
  (
    set -euo pipefail
    local wine_dir="$dir/wine"
    mkdir -p "$wine_dir/results"
    rm -f "$wine_dir"/results/*.xml
    # A private zh_CN.UTF-8 locale: Wine takes its code pages from the locale,
    # and the system's locales stay as they are.
    export LOCPATH="$wine_dir/locale"
    if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
      mkdir -p "$LOCPATH"
      localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" || [ -d "$LOCPATH/zh_CN.UTF-8" ]
    fi
    # (Passed through env: this shell itself need not know the locale.)
    local chinese=(env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
    export WINEPREFIX="$wine_dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
    "${chinese[@]}" wineserver -k >/dev/null 2>&1 || true  # one left by an interrupted run
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"

    # A display of our own, and one Wine server for the whole run.
    local display_file="$wine_dir/display"
    rm -f "$display_file"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$display_file" >/dev/null 2>&1 &
    local xvfb=$!
    # The updater's loopback HTTPS test server, from the Linux build (OpenSSL
    # has no Windows build here); Wine's programs share the host's loopback.
    local tls_server=0 tls_dir="$wine_dir/tls-server"
    rm -rf "$tls_dir"
    if [ -x "$here/build/tests/brevant-tls-test-server" ]; then
      "$here/build/tests/brevant-tls-test-server" "$tls_dir" </dev/null &
      tls_server=$!
      for _ in $(seq 100); do [ -s "$tls_dir/port" ] && break; sleep 0.1; done
    else
      echo "no build/tests/brevant-tls-test-server: the updater's transport tests skip" >&2
    fi
    # A folder that takes no new files while a file in it may be written, as
    # a school may install the program: the file store writes such a file in
    # place. Immutable (root only); without that its test skips.
    local locked="$wine_dir/locked-folder" locked_ok=0
    chattr -i "$locked" 2>/dev/null || true
    rm -rf "$locked"
    mkdir -p "$locked"
    printf 30 >"$locked/RS.vlok" && chmod 666 "$locked/RS.vlok"
    printf x >"$locked/CH.vlok" && chmod 444 "$locked/CH.vlok"
    chattr +i "$locked" 2>/dev/null && locked_ok=1
    trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; [ "$tls_server" = 0 ] || kill "$tls_server" 2>/dev/null || true; chattr -i "$locked" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$display_file")"
    "${chinese[@]}" wineserver -p >/dev/null 2>&1 </dev/null
    "${chinese[@]}" wineboot -i >/dev/null 2>&1 </dev/null
    # Windows left to Wine alone: with no window manager on the display, each
    # window closed would otherwise wait a second for one to answer.
    "${chinese[@]}" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    [ "$tls_server" = 0 ] || export BREVANT_TLS_TEST_SERVER="$(winepath -w "$tls_dir" 2>/dev/null </dev/null)"
    [ "$locked_ok" = 0 ] || export BREVANT_LOCKED_FOLDER="$(winepath -w "$locked" 2>/dev/null </dev/null)"

    # Wine's exit code says nothing (a program it cannot run may still end
    # with 0): each test program's result file decides.
    local failed=0 total=0 start=$SECONDS
    for exe in "$dir"/tests/*.exe; do
      local name xml
      name="$(basename "$exe" .exe)"
      xml="$wine_dir/results/$name.xml"
      timeout 600 "${chinese[@]}" wine "$exe" "--gtest_output=xml:$(winepath -w "$xml")" </dev/null || true
      local summary
      summary="$(grep -m1 -o '<testsuites tests="[0-9]*" failures="[0-9]*" disabled="[0-9]*" errors="[0-9]*"' "$xml" 2>/dev/null || true)"
      if [ -z "$summary" ]; then
        echo "$name: no test results from Wine (the program did not run)" >&2
        failed=1
        continue
      fi
      local tests failures errors
      tests="$(sed 's/.* tests="\([0-9]*\)".*/\1/' <<<"$summary")"
      failures="$(sed 's/.*failures="\([0-9]*\)".*/\1/' <<<"$summary")"
      errors="$(sed 's/.*errors="\([0-9]*\)".*/\1/' <<<"$summary")"
      total=$((total + tests))
      if [ "$tests" -eq 0 ] || [ "$failures" -ne 0 ] || [ "$errors" -ne 0 ]; then
        echo "$name: $tests tests under Wine, $failures failed, $errors errors" >&2
        failed=1
      fi
    done
    echo "Windows core: $total tests under Wine in $((SECONDS - start)) s"
    # Every window as the catalogue declares it, the main window in each
    # language, drawn by the Win32 layer (for looking at; see side-by-side).
    if [ -f "$dir/brevant-snapshots.exe" ]; then
      local snapshots="$dir/snapshots"
      rm -rf "$snapshots"
      mkdir -p "$snapshots"
      timeout 300 "${chinese[@]}" wine "$dir/brevant-snapshots.exe" "$(winepath -w "$snapshots" 2>/dev/null </dev/null)" \
        >/dev/null </dev/null || true
      [ -s "$snapshots/MainWindow-zh-page0.png" ] || { echo "brevant-snapshots.exe drew nothing" >&2; failed=1; }
    fi
    exit "$failed"
  )
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
    # toolkit's frames that the suppressions name. The tests need no desktop
    # bus, and the toolkit's connection to one keeps its buffers to the end.
    # A test that fails here runs once more before the run fails. The test
    # programs wait at exit for the toolkit's network thread to end, as it
    # frees the encryption library's state for that thread; the second run
    # guards against a machine so loaded that even that wait runs out.
    (cd "$here/build-sanitize" &&
      DBUS_SESSION_BUS_ADDRESS=disabled: \
      ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:abort_on_error=1 \
      LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure --parallel "$jobs" --timeout 600 --repeat until-pass:2)
    echo "== the Windows core, cross-built, under Wine =="
    windows_core_tests "$here/build-windows"
    echo "== each fuzz target for a short run =="
    bash "$here/scripts/fuzz.sh" 20
    ;;
  windows)
    install_missing_packages
    cmake -S "$here" -B "$here/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$here/build-windows" --parallel "$jobs" --target brevant
    mkdir -p "$here/dist"
    x86_64-w64-mingw32-strip -o "$here/dist/brevant.exe" "$here/build-windows/brevant.exe"
    # The same stripped updater that brevant.exe carries and writes at every start.
    cp "$here/build-windows/src/updater/downloader.bin" "$here/dist/downloader.exe"
    ls -l "$here/dist/brevant.exe" "$here/dist/downloader.exe"
    ;;
  side-by-side)
    # MainWindow drawn by both backends, Qt left and Win32 right, from the
    # snapshots of the Linux build and of the last Wine run (`test`).
    build "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    win="$here/build-windows/snapshots"
    if [ ! -s "$win/MainWindow-zh-page0.png" ]; then
      echo "no Win32 snapshots in $win: run '$0 test' first" >&2
      exit 1
    fi
    qt="$here/build/snapshots"
    rm -rf "$qt"
    QT_QPA_PLATFORM=offscreen "$here/build/tools/brevant-snapshots" "$qt" >/dev/null
    out="$here/build/side-by-side"
    rm -rf "$out"
    mkdir -p "$out"
    for picture in "$win"/MainWindow-*.png; do
      name="$(basename "$picture")"
      [ -s "$qt/$name" ] || continue
      convert "$qt/$name" "$picture" -bordercolor white -border 8 +append "$out/$name"
      echo "$out/$name"
    done
    ;;
  *)
    echo "usage: $0 run|test|windows|side-by-side" >&2
    exit 2
    ;;
esac
