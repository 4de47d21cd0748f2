#!/usr/bin/env bash
# Sets up a Debian 12 machine for Brevant, builds it, and then either starts
# the program (run) or runs the whole test suite (test).
#   scripts/brevant.sh run    build and start Brevant
#   scripts/brevant.sh test   build and run every test, then again under
#                             AddressSanitizer (with leak checking) and
#                             UndefinedBehaviorSanitizer, then each fuzz
#                             target for 20 s (scripts/fuzz.sh runs longer)
#   scripts/brevant.sh windows  cross-build the Windows programs into
#                             dist/x64/ and dist/x86/: brevant.exe and
#                             downloader.exe, one static file each for
#                             Windows 7 and later (64-bit and 32-bit)
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
  # The Windows programs and their tests under Wine (see windows_tests).
  mingw-w64 googletest libz-mingw-w64-dev wine wine64 locales
  # The fuzz targets (scripts/fuzz.sh): clang with libFuzzer.
  clang libclang-rt-14-dev
  # The check that the sources are laid out as .clang-format says.
  clang-format git
)

install_missing_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    have_package "$p" || missing+=("$p")
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

# Whether this machine runs 32-bit x86 Linux programs, as Wine's 32-bit half
# is: a kernel built without IA32 emulation refuses them. The probe is the
# smallest such program: exit(0) through int 0x80.
runs_32bit_programs() {
  local probe status=0
  # In the project's own folder: a temporary folder may refuse to run programs.
  probe="$(mktemp "$here/.probe32.XXXXXX")"
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=1
  rm -f "$probe"
  return "$status"
}

# Wine's 32-bit half, for the 32-bit Windows tests: a package of Debian's i386
# architecture, which the machine may first have to be told about. Without it
# the 32-bit tests are built but not run, and the test output says so. On a
# machine that cannot run 32-bit programs it is not installed: Wine's launcher
# would take it and then start no program at all.
install_wine32() {
  have_package wine32 && return 0
  if [ "$(id -u)" -ne 0 ] || [ "$(dpkg --print-architecture)" != amd64 ]; then
    return 0
  fi
  if ! runs_32bit_programs; then
    echo "This machine cannot run 32-bit programs: wine32 is not installed, the 32-bit Windows tests will not run" >&2
    return 0
  fi
  echo "Installing Wine's 32-bit half (wine32, from Debian's i386 architecture)"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  # A mirror in the middle of its sync refuses an index now and then: try the
  # update again after a pause, and try the install with what did arrive.
  local attempt
  for attempt in 1 2 3; do
    apt-get update -q && break
    [ "$attempt" -lt 3 ] && sleep 20
  done
  apt-get install -y -q --no-install-recommends wine32 ||
    echo "Could not install wine32 (see the apt-get messages above)" >&2
}

have_package() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The wall time of each stage of a run, printed as the stage ends and once
# more, all together, at the end of the run. Stages run in subshells append
# to the same file.
stage_times="$(mktemp)"
trap 'rm -f "$stage_times"' EXIT

record_stage_time() {  # record_stage_time LABEL SECONDS
  printf '%-36s %5d s\n' "$1" "$2" | tee -a "$stage_times"
}

# Runs the command as one stage of the run; a stage that fails ends the run
# (set -e), untimed.
timed() {  # timed LABEL COMMAND...
  local label="$1" start=$SECONDS
  shift
  "$@"
  record_stage_time "$label" $((SECONDS - start))
}

build() {  # build DIR [cmake options...]
  local dir="$1"
  shift
  cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$jobs"
}

# ---- Windows: the programs cross-built with mingw-w64 for x64 and x86.
windows_dirs=("$here/build-windows" "$here/build-windows-x86")
windows_toolchains=(mingw-w64-x86_64 mingw-w64-i686)
windows_names=(x64 x86)
windows_triples=(x86_64-w64-mingw32 i686-w64-mingw32)

# Extra CMake options of the Windows builds; the test run adds -Werror.
windows_options=()

build_windows() {  # build_windows [targets...]
  local i targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  for i in 0 1; do
    cmake -S "$here" -B "${windows_dirs[$i]}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/${windows_toolchains[$i]}.cmake" \
      "${windows_options[@]}" >/dev/null
    cmake --build "${windows_dirs[$i]}" --parallel "$jobs" "${targets[@]}"
  done
}

# Fails unless a Windows program carries its icon, group icon, version and
# manifest resources, and a 32-bit one may use addresses above 2 GiB.
check_windows_program() {  # check_windows_program FILE
  local dump type missing=()
  dump="$(x86_64-w64-mingw32-objdump -p "$1")"
  # Resource types: 3 icon, 0xe group icon, 0x10 version, 0x18 manifest.
  for type in 03 0e 10 18; do
    sed -n '/^The .rsrc Resource Directory section/,/^ Resources start/p' <<<"$dump" |
      grep -Eq "^[0-9a-f]+   Entry: ID: 0x0000$type," || missing+=("resource type 0x$type")
  done
  if grep -q 'file format pei-i386' <<<"$dump" && ! grep -q 'large address aware' <<<"$dump"; then
    missing+=("the large-address-aware flag")
  fi
  if [ ${#missing[@]} -ne 0 ]; then
    echo "$1 lacks ${missing[*]}" >&2
    return 1
  fi
}

# The result file of each test program decides, never Wine's exit code (a
# program it cannot run may still end with 0).
judge_wine_results() {  # judge_wine_results LABEL RESULTS-DIR TEST-PROGRAM...
  local label="$1" results="$2" failed=0 total=0 exe
  shift 2
  for exe in "$@"; do
    local name xml summary tests failures errors
    name="$(basename "$exe" .exe)"
    xml="$results/$name.xml"
    summary="$(grep -m1 -o '<testsuites tests="[0-9]*" failures="[0-9]*" disabled="[0-9]*" errors="[0-9]*"' "$xml" 2>/dev/null || true)"
    if [ -z "$summary" ]; then
      echo "$label $name: no test results from Wine (the program did not run)" >&2
      failed=1
      continue
    fi
    tests="$(sed 's/.* tests="\([0-9]*\)".*/\1/' <<<"$summary")"
    failures="$(sed 's/.*failures="\([0-9]*\)".*/\1/' <<<"$summary")"
    errors="$(sed 's/.*errors="\([0-9]*\)".*/\1/' <<<"$summary")"
    total=$((total + tests))
    if [ "$tests" -eq 0 ] || [ "$failures" -ne 0 ] || [ "$errors" -ne 0 ]; then
      echo "$label $name: $tests tests under Wine, $failures failed, $errors errors" >&2
      failed=1
    fi
  done
  echo "Windows $label: $total tests under Wine"
  return "$failed"
}

# Both builds and their tests under Wine as a Chinese Windows runs them (ANSI
# code page 936): the 64-bit ones in a 64-bit Wine prefix, the 32-bit ones in
# a 32-bit prefix, as on a 32-bit Windows, when Wine's 32-bit half is
# installed. Each starts fresh: the tests install fonts into the system's
# font folder, and a prefix where they are installed already is another test.
windows_tests() {
  local i failed=0
  for i in 0 1; do
    for exe in "${windows_dirs[$i]}/brevant.exe" "${windows_dirs[$i]}/src/updater/brevant-updater.exe"; do
      check_windows_program "$exe" || failed=1
    done
  done
  (
    set -euo pipefail
    local wine_dir="${windows_dirs[0]}/wine"
    mkdir -p "$wine_dir"
    # A private zh_CN.UTF-8 locale: Wine takes its code pages from the locale,
    # and the system's locales stay as they are.
    export LOCPATH="$wine_dir/locale"
    if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
      mkdir -p "$LOCPATH"
      localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" || [ -d "$LOCPATH/zh_CN.UTF-8" ]
    fi
    # (Passed through env: this shell itself need not know the locale.)
    local chinese=(env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
    # Wine and its server run without root's power to write into any folder,
    # as a teacher's account does: a folder that denies writing (Wine makes
    # its access list the Unix permission bits) then refuses new files.
    if [ "$(id -u)" -eq 0 ] && setpriv --bounding-set=-dac_override true 2>/dev/null; then
      chinese=(setpriv --bounding-set=-dac_override "${chinese[@]}")
    fi
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Wine's launcher takes its 32-bit loader whenever that is installed; where
    # the machine cannot run it, the 64-bit programs go to the 64-bit loader.
    if [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] && ! runs_32bit_programs; then
      mkdir -p "$wine_dir/bin"
      for launcher in wine wine-stable; do
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
          >"$wine_dir/bin/$launcher"
        chmod +x "$wine_dir/bin/$launcher"
      done
      export PATH="$wine_dir/bin:$PATH"
    fi
    local prefixes=("$wine_dir/prefix" "${windows_dirs[1]}/wine/prefix") arches=(win64 win32)

    # A display of our own.
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
    trap 'for p in "${prefixes[@]}"; do WINEPREFIX="$p" wineserver -k >/dev/null 2>&1 || true; done
      kill $xvfb 2>/dev/null || true; [ "$tls_server" = 0 ] || kill "$tls_server" 2>/dev/null || true
      chattr -i "$locked" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$display_file")"

    local failed=0 i
    for i in 0 1; do
      local label="${windows_names[$i]}" results="${windows_dirs[$i]}/wine/results"
      local programs=("${windows_dirs[$i]}"/tests/*.exe)
      if [ "$label" = x86 ] && ! runs_32bit_programs; then
        echo "Windows x86: ${#programs[@]} test programs built but NOT RUN: this machine cannot run" \
          "32-bit programs, nor Wine's 32-bit half (its kernel has no IA32 emulation)" >&2
        continue
      fi
      if [ "$label" = x86 ] && ! have_package wine32; then
        echo "Windows x86: ${#programs[@]} test programs built but NOT RUN: Wine here cannot run" \
          "32-bit programs (Debian's wine32 is not installed; as root: dpkg --add-architecture i386" \
          "&& apt-get update && apt-get install wine32)" >&2
        continue
      fi
      local start=$SECONDS exe
      # A fresh prefix, and one Wine server for the whole run.
      export WINEPREFIX="${prefixes[$i]}" WINEARCH="${arches[$i]}"
      "${chinese[@]}" wineserver -k >/dev/null 2>&1 || true  # one left by an interrupted run
      rm -rf "$WINEPREFIX" "$results"
      mkdir -p "$WINEPREFIX" "$results"
      "${chinese[@]}" wineserver -p >/dev/null 2>&1 </dev/null
      "${chinese[@]}" wineboot -i >/dev/null 2>&1 </dev/null
      # Windows left to Wine alone: with no window manager on the display, each
      # window closed would otherwise wait a second for one to answer.
      "${chinese[@]}" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
      if [ "$tls_server" != 0 ]; then
        BREVANT_TLS_TEST_SERVER="$(winepath -w "$tls_dir" 2>/dev/null </dev/null)"
        export BREVANT_TLS_TEST_SERVER
      fi
      if [ "$locked_ok" = 1 ]; then
        BREVANT_LOCKED_FOLDER="$(winepath -w "$locked" 2>/dev/null </dev/null)"
        export BREVANT_LOCKED_FOLDER
      fi
      record_stage_time "Wine $label: a fresh prefix" $((SECONDS - start))
      for exe in "${programs[@]}"; do
        local program_start=$SECONDS
        timeout 600 "${chinese[@]}" wine "$exe" \
          "--gtest_output=xml:$(winepath -w "$results/$(basename "$exe" .exe).xml")" </dev/null || true
        record_stage_time "Wine $label: $(basename "$exe")" $((SECONDS - program_start))
      done
      judge_wine_results "$label" "$results" "${programs[@]}" || failed=1
      record_stage_time "Wine $label: the whole run" $((SECONDS - start))
      # Every window as the catalogue declares it, the main window in each
      # language, drawn by the Win32 layer (for looking at; see side-by-side).
      if [ "$label" = x64 ] && [ -f "${windows_dirs[0]}/brevant-snapshots.exe" ]; then
        local snapshots="${windows_dirs[0]}/snapshots"
        rm -rf "$snapshots"
        mkdir -p "$snapshots"
        timeout 300 "${chinese[@]}" wine "${windows_dirs[0]}/brevant-snapshots.exe" \
          "$(winepath -w "$snapshots" 2>/dev/null </dev/null)" >/dev/null </dev/null || true
        [ -s "$snapshots/MainWindow-zh-page0.png" ] || { echo "brevant-snapshots.exe drew nothing" >&2; failed=1; }
      fi
      "${chinese[@]}" wineserver -k >/dev/null 2>&1 || true
    done
    exit "$failed"
  ) || failed=1
  return "$failed"
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
    install_wine32
    timed "Formatting" bash "$here/scripts/check_format.sh"
    # Every build of the test run treats a warning as an error.
    timed "Linux build" build "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVANT_WERROR=ON
    timed "Linux tests" env -C "$here/build" ctest --output-on-failure --parallel "$jobs" --timeout 300
    echo "== again with AddressSanitizer and UndefinedBehaviorSanitizer =="
    timed "Sanitizer build" build "$here/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DBREVANT_SANITIZE=ON \
      -DBREVANT_WERROR=ON
    # Leaks fail the run; the suppressions cover only what the toolkit and
    # fontconfig keep for the life of the process once a font is registered.
    # fontconfig has no frame pointers, so only the slow unwinder sees the
    # toolkit's frames that the suppressions name. The tests need no desktop
    # bus, and the toolkit's connection to one keeps its buffers to the end.
    # A test that fails here runs once more before the run fails. The test
    # programs wait at exit for the toolkit's network thread to end, as it
    # frees the encryption library's state for that thread; the second run
    # guards against a machine so loaded that even that wait runs out.
    timed "Sanitizer tests" env -C "$here/build-sanitize" \
      DBUS_SESSION_BUS_ADDRESS=disabled: \
      ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:abort_on_error=1 \
      LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure --parallel "$jobs" --timeout 600 --repeat until-pass:2
    echo "== the Windows programs, cross-built for x64 and x86, under Wine =="
    windows_options=(-DBREVANT_WERROR=ON)
    timed "Windows builds (x64, x86)" build_windows
    timed "Wine runs (x64, x86)" windows_tests
    echo "== each fuzz target for a short run =="
    timed "Fuzz build and runs" bash "$here/scripts/fuzz.sh" 20
    echo "== the time of each stage =="
    cat "$stage_times"
    ;;
  windows)
    install_missing_packages
    build_windows brevant
    for i in 0 1; do
      out="$here/dist/${windows_names[$i]}"
      mkdir -p "$out"
      "${windows_triples[$i]}-strip" -o "$out/brevant.exe" "${windows_dirs[$i]}/brevant.exe"
      # The same stripped updater that brevant.exe carries and writes at every start.
      cp "${windows_dirs[$i]}/src/updater/downloader.bin" "$out/downloader.exe"
      check_windows_program "$out/brevant.exe"
      check_windows_program "$out/downloader.exe"
      ls -l "$out/brevant.exe" "$out/downloader.exe"
    done
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
