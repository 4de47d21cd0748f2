#!/usr/bin/env bash
# Prints time and peak memory for hostile input:
#   a 100 MB score file: start to MainWindow shown, then "+1" and save;
#   a 10000 x 10000 PNG as the splash picture (full and cut to 2 KB),
#   decoded for the splash box;
#   a 7000 x 5000 JPEG decoded for the splash box;
#   a 1 GiB file (a PNG, then zeros) as the splash picture: start to MainWindow;
#   a 100 MB password file: start to MainWindow;
#   a 100 MB name-list register: start, a draw from its first list, the picker.
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
echo "== 1 GiB splash picture file (the PNG above, then zeros) =="
cp "$work/big.png" "$work/huge.png"
truncate -s 1G "$work/huge.png"
printf '%s' "$work/huge.png" > "$work/run/flash_screen.vlok"
"$bench" start "$work/run" 2>/dev/null
rm -f "$work/run/flash_screen.vlok" "$work/huge.png"
echo "== 100 MB password file (\"admin_pwd.vlok\"), splash skipped =="
printf enable > "$work/run/2e.vlok"
head -c 100000000 /dev/zero | tr '\0' 'p' > "$work/run/admin_pwd.vlok"
"$bench" start "$work/run" 2>/dev/null
rm -f "$work/run/admin_pwd.vlok"
echo "== 100 MB name-list register (\"namelist_record.vlok\"), splash skipped, a draw =="
printf '%s\r\n' "$work/class.txt" > "$work/run/namelist_record.vlok"
python3 - "$work/run/namelist_record.vlok" <<'PY'
import sys
line = b"/home/teacher/lists/class-0000000.txt\r\n"
with open(sys.argv[1], "ab") as f:
    f.write(line * (100_000_000 // len(line)))
PY
printf 'Zhang\r\nLi\r\nWang\r\n' > "$work/class.txt"
printf 1 > "$work/run/namelist_to_use.vlok"
printf 3 > "$work/run/RS.vlok"
printf x > "$work/run/CH.vlok"
printf no > "$work/run/ynreward.vlok"
"$bench" start "$work/run" 2>/dev/null
rm -f "$work/run"/namelist_*.vlok "$work/run/RS.vlok" "$work/run/CH.vlok" "$work/run/ynreward.vlok" "$work/run/2e.vlok"
echo "== 7000 x 5000 JPEG ($(stat -c %s "$work/big.jpg") bytes) decoded for the splash box =="
"$bench" decode "$work/big.jpg" 384 256
