#!/usr/bin/env bash
# Start-up figures of the program beside a bare Qt window, on a private Xvfb.
#   tools/benchmark_startup.sh [BUILD_DIR] [RUNS]
#
# Each run starts the program from its own run directory (a copy of the
# program file, so its files are written there) and, right after it, the bare
# window program (tools/bare_window.cpp, built in the same tree), then the
# same bare window with one line of text: the least any window with text
# pays, since the toolkit then lists the system's fonts. Times run
# from just before the process is started to the moment the X server sees a
# window mapped and first drawn (DAMAGE extension, tools/paint_timer.c).
#
# Four cases: the splash skipped ("2e.vlok", the main window is the first
# window) and shown (the splash is the first window, the main window follows
# it after 2 s); each warm (files in the page cache) and cold (page cache
# dropped before every start when run as root, else a fresh copy of the
# program file). A first start in the empty run directory comes before, and
# is not counted: the later starts find their files and fonts in place.
#
# Printed: median and range of each time, the median of the per-pair ratios
# program / bare (and first window / bare with text), processor time of the start, and resident memory some time
# after the main window was drawn: peak (VmHWM) and steady (smaps_rollup Rss).
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-11}"
settle_ms="${SETTLE_MS:-1500}"
program="$build/brevant"
bare="$build/tools/brevant-bare-window"
timer="$build/tools/brevant-paint-timer"
for f in "$program" "$bare" "$timer"; do
  [ -x "$f" ] || { echo "build $f first (ninja -C $build brevant brevant-bare-window brevant-paint-timer)" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is needed (apt-get install xvfb)" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/run" "$work/home"
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/home/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# A private server; it stays up between clients (-noreset).
exec {display_fd}< <(exec Xvfb -displayfd 1 -noreset -nolisten tcp -screen 0 1280x800x24 2>/dev/null & echo "pid $!"; wait)
read -r -t 10 _ xvfb_pid <&"$display_fd"
read -r -t 10 display <&"$display_fd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

cp "$program" "$work/run/brevant"
drop_caches=0
if [ -w /proc/sys/vm/drop_caches ]; then drop_caches=1; fi
cold() {
  if [ "$drop_caches" = 1 ]; then
    sync
    echo 3 >/proc/sys/vm/drop_caches
  else
    # Without root: at least the program file itself comes from disk.
    cp "$program" "$work/run/brevant.new" && mv "$work/run/brevant.new" "$work/run/brevant"
  fi
}

measure() {  # measure PROGRAM [ARG] -> line of paint_timer
  "$timer" -w 712x477 -s "$settle_ms" -- "$@" 2>/dev/null
}
measure_time_only() {  # the same, without waiting to read the memory
  "$timer" -w 712x477 -s 100 -- "$@" 2>/dev/null
}

# The first start writes the files and installs the fonts; not counted.
printf enable >"$work/run/2e.vlok"
measure "$work/run/brevant" >/dev/null
measure "$bare" >/dev/null

# shellcheck source=tools/benchmark_stats.sh
. "$(dirname "${BASH_SOURCE[0]}")/benchmark_stats.sh"

run_case() {  # run_case splash(skipped|shown) temperature(warm|cold)
  local splash="$1" temperature="$2"
  if [ "$splash" = skipped ]; then printf enable >"$work/run/2e.vlok"; else rm -f "$work/run/2e.vlok"; fi
  local first=() main_mapped=() main=() cpu=() hwm=() rss=() bare_t=() bare_cpu=() bare_hwm=() bare_rss=() ratio_first=() ratio_main=()
  local text_t=() ratio_text=()
  local i line b t
  for i in $(seq "$runs"); do
    [ "$temperature" = cold ] && cold
    line=$(measure "$work/run/brevant") || { echo "the program did not show its main window" >&2; exit 1; }
    [ "$temperature" = cold ] && cold
    b=$(measure "$bare") || { echo "the bare window was not drawn" >&2; exit 1; }
    [ "$temperature" = cold ] && cold
    t=$(measure_time_only "$bare" --label) || { echo "the bare window with text was not drawn" >&2; exit 1; }
    read -r _ fp mp mpaint c h r <<<"$line"
    read -r _ bp _ _ bc bh br <<<"$b"
    first+=("$fp"); main_mapped+=("$mp"); main+=("$mpaint"); cpu+=("$c"); hwm+=("$h"); rss+=("$r")
    bare_t+=("$bp"); bare_cpu+=("$bc"); bare_hwm+=("$bh"); bare_rss+=("$br")
    read -r _ tp _ <<<"$t"
    text_t+=("$tp")
    ratio_text+=("$(awk -v a="$fp" -v b="$tp" 'BEGIN{printf "%.2f", a/b}')")
    ratio_first+=("$(awk -v a="$fp" -v b="$bp" 'BEGIN{printf "%.2f", a/b}')")
    ratio_main+=("$(awk -v a="$mpaint" -v b="$bp" 'BEGIN{printf "%.2f", a/b}')")
  done
  echo "splash $splash, $temperature ($runs pairs):"
  stat_line "bare window drawn (ms)" "${bare_t[@]}"
  stat_line "first window drawn (ms)" "${first[@]}"
  stat_line "  ratio to bare" "${ratio_first[@]}"
  stat_line "bare window with text drawn (ms)" "${text_t[@]}"
  stat_line "  first window: ratio to it" "${ratio_text[@]}"
  stat_line "main window mapped (ms)" "${main_mapped[@]}"
  stat_line "main window drawn (ms)" "${main[@]}"
  [ "$splash" = skipped ] && stat_line "  ratio to bare" "${ratio_main[@]}"
  stat_line "processor time (ms)" "${cpu[@]}"
  stat_line "peak resident (KiB)" "${hwm[@]}"
  stat_line "steady resident (KiB)" "${rss[@]}"
  stat_line "bare: processor time (ms)" "${bare_cpu[@]}"
  stat_line "bare: peak resident (KiB)" "${bare_hwm[@]}"
  stat_line "bare: steady resident (KiB)" "${bare_rss[@]}"
}

echo "program: $program ($(stat -c %s "$program") bytes); memory read ${settle_ms} ms after the main window was drawn"
[ "$drop_caches" = 1 ] || echo "not root: cold starts copy the program file afresh instead of dropping the page cache"
for splash in skipped shown; do
  for temperature in warm cold; do
    run_case "$splash" "$temperature"
  done
done
