#!/usr/bin/env bash
# Installs what is missing, checks the code's format, then builds and runs
# every test twice: a normal build, and a build with AddressSanitizer and
# UndefinedBehaviorSanitizer.
# Then the tests that start threads (ctest label "threads") a third time,
# in a build with ThreadSanitizer of only those programs.
# The last line is the total: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")"
scripts/setup.sh || exit 1

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

passed=0
failed=0
echo "== Checking the code's format"
if ! scripts/check_format.sh; then
  failed=$((failed + 1))
fi
# Runs the tests of a build folder (further arguments pick them, as ctest's)
# and adds up its summary.
run_tests() {
  local dir="$1"
  shift
  echo "== Testing $dir"
  local log="$dir/ctest.log"
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@") 2>&1 | tee "$log"
  local summary
  summary=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1))
    return
  fi
  local total bad
  total=$(echo "$summary" | sed -E 's/.*out of ([0-9]+).*/\1/')
  bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}
run_suite() {
  local dir="$1"
  shift
  echo "== Building $dir"
  if ! scripts/build.sh "$dir" "$@"; then
    echo "Build of $dir failed"
    failed=$((failed + 1))
    return
  fi
  run_tests "$dir"
}

# Warnings are errors here whatever a local configuration chose.
strict=(-DPELLIN_WERROR=ON -DPELLIN_TOOLS=ON)
# The normal build at Release's optimisation, where GCC's false warnings live.
run_suite build -DCMAKE_BUILD_TYPE=Release "${strict[@]}"
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DPELLIN_SANITIZE=ON -DPELLIN_BENCH=OFF "${strict[@]}"
# The thread tests' programs carry their ThreadSanitizer options and
# suppressions (tests/tsan.supp) themselves.
echo "== Building build-tsan (the thread tests)"
if cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLIN_TSAN=ON -DPELLIN_BENCH=OFF "${strict[@]}" >/dev/null &&
  cmake --build build-tsan -j "$(nproc)" --target thread_tests; then
  run_tests build-tsan -L threads
else
  echo "Build of build-tsan failed"
  failed=$((failed + 1))
fi

echo "Took $((SECONDS / 60)) min $((SECONDS % 60)) s."
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
