#!/usr/bin/env bash
# Prints the median time from process start to MainWindow shown (with the
# whole start work: fonts and companion files written, splash skipped by
# "2e.vlok"), the resident memory at that moment, and how long writing the
# downloader takes.
#   tools/benchmark_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-11}"
bench="$build/tools/brevant-startup-bench"
[ -x "$bench" ] || { echo "build $bench first (ninja -C $build brevant-startup-bench)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/home"
printf enable > "$work/run/2e.vlok"
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"

times=()
rss=()
anon=()
file=()
step=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  line=$("$bench" "$work/run" 2>/dev/null | head -n 1)
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  read -r _ r a f w <<<"$line"
  rss+=("$r")
  anon+=("$a")
  file+=("$f")
  step+=("$w")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "runs: $runs"
echo "start to MainWindow shown, median: $(median "${times[@]}") ms (all: ${times[*]})"
echo "resident memory when shown, median: $(median "${rss[@]}") KiB" \
  "(anonymous $(median "${anon[@]}") KiB, file-backed $(median "${file[@]}") KiB)"
echo "writing downloader.exe ($(stat -c %s "$work/run/downloader.exe") bytes), median: $(median "${step[@]}") us"
