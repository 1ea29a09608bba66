#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (build-bench, Release) and
# runs them all, then prints one table: each figure against a baseline
# measured in the same run (a plain copy of the same bytes, a bare Qt
# window), so the ratios hold on a busy machine. Extra arguments go to both
# benchmark programs (e.g. --benchmark_filter=Refresh). The programs' own
# reports go to build-bench/bench.log.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-bench"
"$root/scripts/setup.sh"
# The peer editor's renderer is the baseline of the zellmap render figure.
if ! command -v tmxrasterizer >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends tiled >/dev/null ||
    echo "tiled could not be installed; the render figure is skipped" >&2
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELLIN_BENCH=ON -DPELLIN_SANITIZE=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target pellin_bench_core pellin_bench_editor pellin_bench_painting pellin_bench_tools >/dev/null

export QT_QPA_PLATFORM=offscreen
log="$dir/bench.log"
: >"$log"
rows=""
failed=0
for program in "$dir/bench/core/pellin_bench_core" "$dir/bench/editor/pellin_bench_editor" "$dir/bench/editor/pellin_bench_painting" "$dir/bench/tools/pellin_bench_tools"; do
  echo "Running $(basename "$program") ..." >&2
  if ! "$program" "$@" >>"$log" 2>&1; then failed=1; fi
done
# Each program prints its rows after a marker line.
rows=$(awk '/^== figures ==$/ { on = 1; next } on && /^\|/' "$log")
if grep -q "ERROR OCCURRED" "$log"; then
  grep "ERROR OCCURRED" "$log" >&2
  failed=1
fi

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(uname -sr)"
echo
echo "| figure | measured | baseline | ratio | target | met? |"
echo "|---|---:|---|---:|---|---|"
echo "$rows"
exit "$failed"
