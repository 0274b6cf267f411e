#!/usr/bin/env bash
# run-fuzz.sh -- fuzzes the bitmap reader for a bounded time, seeded with the generated textures,
# the hostile bitmaps and a few small well-formed files. Usage: run-fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
corpus="$build/corpus"
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$corpus" "$seeds/hostile" "$seeds/textures"
"$build/gen_textures_for_seeds" "$seeds/textures" >/dev/null
python3 "$here/../hostile/make_hostile_bitmaps.py" "$seeds/hostile"
python3 "$here/make_small_bitmaps.py" "$seeds/small"
rm -f "$seeds/hostile/expected.txt"
echo "Fuzzing the bitmap reader for $seconds s"
"$build/bitmap_fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus" "$seeds/hostile" "$seeds/small" "$seeds/textures" 2>&1 | tee "$build/fuzz.log" | \
  grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|Done)' || true
if grep -qE '==[0-9]+==ERROR|^SUMMARY|deadly signal|Test unit written' "$build/fuzz.log"; then
  echo "fuzz: the reader failed; see $build/fuzz.log"
  exit 1
fi
echo "fuzz: no crash, no sanitizer report"
