#!/usr/bin/env bash
# check-format.sh -- fails when a C++ file of the project differs from the committed .clang-format.
# The formatter is Debian 12's clang-format 14 (scripts/install-deps.sh installs it): another
# version formats some constructs differently, so the version is pinned here.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter="clang-format-14"
if ! command -v "$formatter" >/dev/null 2>&1; then
  echo "check-format: $formatter is missing; run scripts/install-deps.sh" >&2
  exit 2
fi
if ! "$formatter" --version | grep -q "version 14\."; then
  echo "check-format: $formatter is not version 14: $("$formatter" --version)" >&2
  exit 2
fi
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
differing=()
for f in "${files[@]}"; do
  if ! "$formatter" --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then differing+=("$f"); fi
done
if [ ${#differing[@]} -ne 0 ]; then
  printf '%s\n' "${differing[@]}" >&2
  echo "check-format: ${#differing[@]} of ${#files[@]} C++ files differ from .clang-format; run $formatter -i on them" >&2
  exit 1
fi
echo "check-format: all ${#files[@]} C++ files follow .clang-format"
