#!/usr/bin/env bash
# Whether a whole-file write of the file store flushes the folder after
# renaming the new file into place, read from the system calls that a test
# writing "1.vlok" makes (strace). It shows that the flush is asked for, of
# that folder, after the rename; whether a disk then keeps the name through a
# power cut is the file system's part.
#   tests/sync_after_rename.sh TEST_PROGRAM
set -uo pipefail
program="$1"
command -v strace >/dev/null || { echo "strace is not installed"; exit 77; }
strace -f -qq -o /dev/null true 2>/dev/null || { echo "strace may not trace here"; exit 77; }
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
QT_QPA_PLATFORM=offscreen strace -f -qq -o "$log" -e trace=rename,renameat,renameat2,openat,fsync \
  "$program" --gtest_filter=FileStoreTest.WholeFileWritesReplaceTheFileAndLeaveNoTemporaryFiles >/dev/null 2>&1
# After the rename onto ".../1.vlok": an open of its folder as a directory,
# then an fsync of that descriptor.
if awk '
  /rename/ && /\/1\.vlok"\)/ && / = 0$/ {
    folder = $0; sub(/\/1\.vlok"\).*/, "", folder); sub(/.*"/, "", folder); renamed = 1; next
  }
  renamed && /O_DIRECTORY/ && index($0, "\"" folder "\"") && match($0, /= [0-9]+$/) {
    fd = substr($0, RSTART + 2); next
  }
  renamed && fd != "" && $0 ~ ("fsync\\(" fd "\\) += 0") { found = 1; exit }
  END { exit found ? 0 : 1 }' "$log"; then
  echo "the folder is flushed after the rename"
else
  echo "no flush of the folder after the rename onto 1.vlok:" >&2
  grep -E 'rename|O_DIRECTORY|fsync' "$log" | grep -v '/proc\|/sys\|/usr' | tail -20 >&2
  exit 1
fi
