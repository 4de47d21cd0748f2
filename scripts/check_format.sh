#!/usr/bin/env bash
# Fails when a C++ file of the project is not as clang-format lays it out
# with the project's .clang-format, and names each such file.
#   scripts/check_format.sh [CLANG_FORMAT]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
format="${1:-clang-format}"
command -v "$format" >/dev/null || { echo "$format is not installed" >&2; exit 1; }
cd "$here"
unformatted=()
while IFS= read -r -d '' file; do
  "$format" --style=file "$file" | cmp -s - "$file" || unformatted+=("$file")
done < <(
  # The files git tracks; outside a clone, those of the source folders.
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z -- '*.cpp' '*.h' '*.c'
  else
    find src tests tools \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z
  fi)
if [ ${#unformatted[@]} -ne 0 ]; then
  echo "Not as clang-format lays them out (fix with: $format -i --style=file FILE):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "every C++ file is as clang-format lays it out"
