#!/usr/bin/env bash
# Bounded-time fuzzing: builds the libFuzzer targets with clang (ASan and
# UBSan) in build-fuzz and runs each for SECONDS seconds over a scratch copy
# of its committed seed corpus, so the committed corpus never changes by
# itself. Crashes and their inputs land in build-fuzz/fuzz-artifacts/NAME/.
#
# Usage: scripts/fuzz.sh [SECONDS] [NAME...]
#   SECONDS  run time per fuzzer (default 60)
#   NAME     fuzzers to run (default: every fuzzer below whose folder exists)
# With FUZZ_RUNS=N in the environment each fuzzer runs N inputs instead of
# for a time. One worker each: fuzzers run one after the other.
# Exit status is non-zero if any fuzzer found a failure.
set -euo pipefail

# Each fuzzer: name and its folder under fuzz/ (which holds corpus/).
FUZZERS=(
  "bmp_fuzzer bmp"
  "map_fuzzer map"
  "png_fuzzer png"
  "tmx_fuzzer tmx"
  "attrs_fuzzer attrs"
)

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-60}
shift || true
wanted=("$@")

selected=()
for entry in "${FUZZERS[@]}"; do
  read -r name folder <<<"$entry"
  [[ -f "$root/fuzz/$folder/CMakeLists.txt" ]] || continue
  if ((${#wanted[@]})) && [[ ! " ${wanted[*]} " == *" $name "* ]]; then continue; fi
  selected+=("$name $folder")
done
if ((${#selected[@]} == 0)); then
  echo "no fuzzers to run" >&2
  exit 2
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DPELLIN_FUZZ=ON -DPELLIN_EDITOR=OFF -DPELLIN_BENCH=OFF >/dev/null
targets=()
for entry in "${selected[@]}"; do targets+=("${entry%% *}"); done
cmake --build "$build" -j2 --target "${targets[@]}"

status=0
for entry in "${selected[@]}"; do
  read -r name folder <<<"$entry"
  binary=$(find "$build/fuzz" -type f -name "$name" -perm -u+x | head -n 1)
  work="$build/fuzz-corpus/$name"
  artifacts="$build/fuzz-artifacts/$name/"
  rm -rf "$work"
  mkdir -p "$work" "$artifacts"
  cp -r "$root/fuzz/$folder/corpus/." "$work/"
  if [[ -n "${FUZZ_RUNS:-}" ]]; then limit=(-runs="$FUZZ_RUNS"); else limit=(-max_total_time="$seconds"); fi
  echo "== $name: ${limit[*]} over $(ls "$work" | wc -l) seed inputs"
  if ! "$binary" "${limit[@]}" -print_final_stats=1 -artifact_prefix="$artifacts" \
      -rss_limit_mb=2048 "$work" 2>"$build/fuzz-$name.log"; then
    echo "!! $name found a failure: see $build/fuzz-$name.log and $artifacts" >&2
    status=1
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|stat::new_units_added)' \
    "$build/fuzz-$name.log" || true
  echo "   corpus grew to $(ls "$work" | wc -l) inputs (kept in $work)"
done
exit $status
