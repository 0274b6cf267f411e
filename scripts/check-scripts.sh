#!/usr/bin/env bash
# check-scripts.sh -- fails when a shell script has a shellcheck finding or a Python file differs
# from black's formatting (line length in pyproject.toml). Both are Debian's packages, installed by
# scripts/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in shellcheck black; do
  command -v "$tool" >/dev/null 2>&1 || { echo "check-scripts: $tool is missing; run scripts/install-deps.sh" >&2; exit 2; }
done
mapfile -t shells < <(git ls-files -- '*.sh' .ci/run)
shellcheck "${shells[@]}"
# The launcher template is plain sh with @...@ placeholders the build fills in.
shellcheck --shell=sh scripts/glintmere-launcher.in
mapfile -t pythons < <(git ls-files -- '*.py')
black --quiet --check "${pythons[@]}" || {
  echo "check-scripts: run black on the Python files above" >&2
  exit 1
}
echo "check-scripts: ${#shells[@]} shell scripts pass shellcheck, ${#pythons[@]} Python files follow black"
