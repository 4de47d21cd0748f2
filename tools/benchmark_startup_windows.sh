#!/usr/bin/env bash
# Start-up figures of the Windows programs under Wine beside a bare static
# Win32 window, on a private Xvfb, as a Chinese Windows (code page 936).
#   tools/benchmark_startup_windows.sh [WINDOWS_BUILD] [LINUX_BUILD] [RUNS]
#
# Each run starts brevant.exe from its own run directory (a copy of the
# program file, so its files are written there) with the splash skipped
# ("2e.vlok": the main window is the first window), and right after it the
# bare window (tools/windows/bare_window.cpp, built in the Windows tree, an
# empty frameless window of the main window's size); then the updater that
# the program wrote there ("downloader.exe") and the bare window again. Times
# run from just before `wine` is started to the moment the X server sees the
# window mapped and first drawn (DAMAGE extension, the Linux build's
# tools/paint_timer.c), and to the moment its drawing ended (the last damage
# before it stayed unchanged for a while: Wine sends a window to the screen in
# parts while it is being drawn). All runs are warm: one Wine server stays up, and a
# first start in the empty run directory, not counted, writes the files and
# fonts the later starts find. The Wine prefix is made afresh, as a Windows PC
# that lacks the program's font family and does not let the program copy it
# into the system's font folder.
#
# Printed: median and range of each time, the median of the per-pair ratios
# program / bare, and, some time after its window was drawn, the processor
# time of the program's Wine process (its own, not the Wine server's) and its
# peak resident set (VmHWM, what Windows calls the peak working set). On a
# loaded machine the times scatter widely: run more pairs.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
win="$(cd "${1:-$here/build-windows}" && pwd)"
linux="$(cd "${2:-$here/build}" && pwd)"
runs="${3:-9}"
settle_ms="${SETTLE_MS:-1500}"
program="$win/brevant.exe"
bare="$win/brevant-bare-window.exe"
timer="$linux/tools/brevant-paint-timer"
[ -f "$program" ] && [ -f "$bare" ] || { echo "build them first: ninja -C $win brevant brevant-bare-window" >&2; exit 1; }
[ -x "$timer" ] || { echo "build the paint timer first: ninja -C $linux brevant-paint-timer" >&2; exit 1; }
command -v wine >/dev/null && command -v Xvfb >/dev/null || { echo "wine and Xvfb are needed" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  # Only the benchmark's own Wine server.
  [ "${WINEPREFIX:-}" = "$work/prefix" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A private zh_CN.UTF-8 locale (Wine takes its code page from it), kept in
# the Windows build tree, and a fresh Wine prefix for each run.
bench="$win/wine-bench"
export LOCPATH="$bench/locale"
if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" || [ -d "$LOCPATH/zh_CN.UTF-8" ]
fi
# (Passed through env: this shell itself need not know the locale.)
chinese=(env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
# Wine's own menu builder, which answers every shortcut made on the desktop
# with a Linux menu entry, is no part of what Windows does.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
# The program's font family as a Windows PC without it has it: Wine sees the
# host's fonts through a folder of their own, without the build's faces.
font_dir="$(sed -n 's/^BREVANT_FONT_DIR:PATH=//p' "$win/CMakeCache.txt")"
mkdir -p "$work/fonts"
fc-list --format '%{file}\n' | sort -u | while read -r file; do
  case "$file" in "${font_dir:-/nowhere}"/LXGWWenKaiMono-*) continue ;; esac
  ln -sf "$file" "$work/fonts/$(printf '%s' "$file" | tr '/' '_')"
done
cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<fontconfig><dir>$work/fonts</dir><cachedir>$work/fontconfig-cache</cachedir></fontconfig>
EOF
export FONTCONFIG_FILE="$work/fonts.conf"
mkdir -p "$WINEPREFIX"

exec {display_fd}< <(exec Xvfb -displayfd 1 -noreset -nolisten tcp -screen 0 1280x1024x24 2>/dev/null & echo "pid $!"; wait)
read -r -t 10 _ xvfb_pid <&"$display_fd"
read -r -t 10 display <&"$display_fd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

"${chinese[@]}" wineserver -p >/dev/null 2>&1 </dev/null
"${chinese[@]}" wineboot -i >/dev/null 2>&1 </dev/null
# Windows left to Wine alone, as in the test run: no window manager here.
"${chinese[@]}" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
# The system's font folder refuses the program's copies of its faces, as it
# does for a teacher without administrator rights (Wine would let them in and
# then offer them to every program): whatever holds those names there is not
# the program's to replace.
for face in wk.ttf wkL.ttf wkB.ttf; do mkdir -p "$WINEPREFIX/drive_c/windows/Fonts/$face"; done

# Without symbols and debug information, as dist/ holds them.
strip="${STRIP:-x86_64-w64-mingw32-strip}"
mkdir -p "$work/run"
"$strip" -o "$work/run/brevant.exe" "$program"
"$strip" -o "$work/bare.exe" "$bare"
bare="$work/bare.exe"
printf enable >"$work/run/2e.vlok"

measure() {  # measure WIDTHxHEIGHT EXE -> line of paint_timer
  (cd "$(dirname "$2")" && "$timer" -w "$1" -s "$settle_ms" -t 60000 -- "${chinese[@]}" wine "$2" 2>/dev/null </dev/null)
}

# The first start writes the files and the copies of the faces; it is
# shown on its own, not counted with the others.
first=$(measure 712x477 "$work/run/brevant.exe") || { echo "brevant.exe did not show its main window" >&2; exit 1; }
measure 712x477 "$bare" >/dev/null
[ -f "$work/run/downloader.exe" ] || { echo "brevant.exe wrote no downloader.exe" >&2; exit 1; }

# shellcheck source=tools/benchmark_stats.sh
. "$(dirname "${BASH_SOURCE[0]}")/benchmark_stats.sh"

main_t=() main_cpu=() main_hwm=() upd_t=() upd_cpu=() upd_hwm=() bare_t=() bare_cpu=() bare_hwm=() ratio_main=() ratio_upd=()
main_done=() upd_done=() bare_done=() ratio_main_done=() ratio_upd_done=()
for i in $(seq "$runs"); do
  m=$(measure 712x477 "$work/run/brevant.exe") || { echo "brevant.exe did not show its main window" >&2; exit 1; }
  b=$(measure 712x477 "$bare") || { echo "the bare window was not drawn" >&2; exit 1; }
  u=$(measure 380x250 "$work/run/downloader.exe") || { echo "downloader.exe did not show its window" >&2; exit 1; }
  b2=$(measure 712x477 "$bare") || { echo "the bare window was not drawn" >&2; exit 1; }
  read -r _ _ _ mp mc mh _ md <<<"$m"
  read -r _ _ _ bp bc bh _ bd <<<"$b"
  read -r _ _ _ up uc uh _ ud <<<"$u"
  read -r _ _ _ bp2 bc2 bh2 _ bd2 <<<"$b2"
  main_t+=("$mp"); main_cpu+=("$mc"); main_hwm+=("$mh"); upd_t+=("$up"); upd_cpu+=("$uc"); upd_hwm+=("$uh")
  bare_t+=("$bp" "$bp2"); bare_cpu+=("$bc" "$bc2"); bare_hwm+=("$bh" "$bh2")
  ratio_main+=("$(awk -v a="$mp" -v b="$bp" 'BEGIN{printf "%.2f", a/b}')")
  ratio_upd+=("$(awk -v a="$up" -v b="$bp2" 'BEGIN{printf "%.2f", a/b}')")
  main_done+=("$md"); upd_done+=("$ud"); bare_done+=("$bd" "$bd2")
  ratio_main_done+=("$(awk -v a="$md" -v b="$bd" 'BEGIN{printf "%.2f", a/b}')")
  ratio_upd_done+=("$(awk -v a="$ud" -v b="$bd2" 'BEGIN{printf "%.2f", a/b}')")
done

echo "brevant.exe: $(stat -c %s "$program") bytes, downloader.exe: $(stat -c %s "$work/run/downloader.exe") bytes;" \
  "$runs pairs each, warm, splash skipped; memory read ${settle_ms} ms after the window was drawn"
read -r _ _ _ first_t _ first_hwm _ <<<"$first"
echo "  first start in the empty folder: MainWindow drawn after $first_t ms, peak resident $first_hwm KiB"
stat_line "bare window drawn (ms)" "${bare_t[@]}"
stat_line "MainWindow drawn (ms)" "${main_t[@]}"
stat_line "  ratio to bare" "${ratio_main[@]}"
stat_line "UpdaterWindow drawn (ms)" "${upd_t[@]}"
stat_line "  ratio to bare" "${ratio_upd[@]}"
stat_line "bare window drawn whole (ms)" "${bare_done[@]}"
stat_line "MainWindow drawn whole (ms)" "${main_done[@]}"
stat_line "  ratio to bare" "${ratio_main_done[@]}"
stat_line "UpdaterWindow drawn whole (ms)" "${upd_done[@]}"
stat_line "  ratio to bare" "${ratio_upd_done[@]}"
stat_line "bare: processor time (ms)" "${bare_cpu[@]}"
stat_line "brevant.exe: processor time (ms)" "${main_cpu[@]}"
stat_line "downloader.exe: processor time (ms)" "${upd_cpu[@]}"
stat_line "bare: peak resident (KiB)" "${bare_hwm[@]}"
stat_line "brevant.exe: peak resident (KiB)" "${main_hwm[@]}"
stat_line "downloader.exe: peak resident (KiB)" "${upd_hwm[@]}"
