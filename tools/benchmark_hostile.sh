#!/usr/bin/env bash
# Prints time and peak memory for hostile input:
#   a 100 MB score file: start to MainWindow shown, then "+1" and save;
#   a 10000 x 10000 PNG as the splash picture (full and cut to 2 KB),
#   decoded for the splash box;
#   a 7000 x 5000 JPEG decoded for the splash box.
#   tools/benchmark_hostile.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
bench="$build/tools/brevant-hostile-bench"
[ -x "$bench" ] || { echo "build $bench first (ninja -C $build brevant-hostile-bench)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/home"
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
export QT_QPA_PLATFORM=offscreen

python3 - "$work" <<'PY'
import struct, sys, zlib
work = sys.argv[1]
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
side = 10000
rows = (b"\x00" + b"\x80" * side) * side  # 8-bit grey, no filter
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 0, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
open(f"{work}/big.png", "wb").write(png)
open(f"{work}/cut.png", "wb").write(png[:2048])
with open(f"{work}/score", "wb") as f:
    f.write(b"1" * 100_000_000)
PY
convert -size 7000x5000 plasma:fractal -quality 85 "$work/big.jpg" 2>/dev/null ||
  convert -size 7000x5000 gradient:red-blue -quality 85 "$work/big.jpg"

echo "== 100 MB score file (\"1.vlok\"), splash skipped =="
printf enable > "$work/run/2e.vlok"
cp "$work/score" "$work/run/1.vlok"
"$bench" start "$work/run" 2>/dev/null
rm -f "$work/run/1.vlok" "$work/run/2e.vlok"
echo "== for comparison: the splash with no picture (it stays 2 s) =="
"$bench" start "$work/run" 2>/dev/null
echo "== 10000 x 10000 PNG ($(stat -c %s "$work/big.png") bytes) as the splash picture =="
printf '%s' "$work/big.png" > "$work/run/flash_screen.vlok"
"$bench" start "$work/run" 2>/dev/null
echo "== the same PNG decoded for the splash box =="
"$bench" decode "$work/big.png" 384 256
echo "== its first 2 KB decoded =="
"$bench" decode "$work/cut.png" 384 256
echo "== 7000 x 5000 JPEG ($(stat -c %s "$work/big.jpg") bytes) decoded for the splash box =="
"$bench" decode "$work/big.jpg" 384 256
