#!/usr/bin/env bash
# check-scripts.sh -- fails when a shell script has a shellcheck finding, a Python file differs from
# black's formatting (line length in pyproject.toml), or a JavaScript file of the page does not parse
# (node --check). shellcheck and black are Debian's packages, installed by scripts/install-deps.sh; node
# comes with the web group's Emscripten.
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
# The page's JavaScript (the page itself and the program's JavaScript libraries) is parsed, not run.
mapfile -t scripts < <(git ls-files -- '*.js')
if [ ${#scripts[@]} -ne 0 ]; then
  command -v node >/dev/null 2>&1 || { echo "check-scripts: node is missing; run scripts/install-deps.sh web" >&2; exit 2; }
  for script in "${scripts[@]}"; do node --check "$script"; done
fi
echo "check-scripts: ${#shells[@]} shell scripts pass shellcheck, ${#pythons[@]} Python files follow black," \
  "${#scripts[@]} JavaScript files parse"
