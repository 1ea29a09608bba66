#!/usr/bin/env bash
# Installs what is missing, checks the code's format, then builds and runs
# every test twice: a normal build, and a build with AddressSanitizer and
# UndefinedBehaviorSanitizer.
# Then the tests that start threads (ctest label "threads") a third time,
# in a build with ThreadSanitizer of only those programs, and, when the
# packaging tools are installed, the Debian package made from the normal
# build (scripts/check_package.sh; nothing is built again for it).
# Each stage says how long it took.
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
# Says how long the stage that began at $1 (in SECONDS) took.
took() {
  local s=$((SECONDS - $1))
  echo "-- $2 took $((s / 60)) min $((s % 60)) s"
}
run_suite() {
  local dir="$1"
  shift
  echo "== Building $dir"
  local start=$SECONDS
  if ! scripts/build.sh "$dir" "$@"; then
    echo "Build of $dir failed"
    failed=$((failed + 1))
    return
  fi
  took "$start" "Building $dir"
  start=$SECONDS
  run_tests "$dir"
  took "$start" "Testing $dir"
}

# Warnings are errors here whatever a local configuration chose.
strict=(-DPELLIN_WERROR=ON -DPELLIN_TOOLS=ON)
# The normal build at Release's optimisation, where GCC's false warnings live.
run_suite build -DCMAKE_BUILD_TYPE=Release "${strict[@]}"
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DPELLIN_SANITIZE=ON -DPELLIN_BENCH=OFF "${strict[@]}"
# The thread tests' programs carry their ThreadSanitizer options and
# suppressions (tests/tsan.supp) themselves.
echo "== Building build-tsan (the thread tests)"
start=$SECONDS
if cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLIN_TSAN=ON -DPELLIN_BENCH=OFF "${strict[@]}" >/dev/null &&
  cmake --build build-tsan -j "$(nproc)" --target thread_tests; then
  took "$start" "Building build-tsan"
  run_tests build-tsan -L threads
else
  echo "Build of build-tsan failed"
  failed=$((failed + 1))
fi

# The package from the normal build, when the packaging tools are installed
# (scripts/setup.sh leaves them out, to keep set-up and CI short).
if command -v dpkg-shlibdeps >/dev/null && command -v desktop-file-validate >/dev/null &&
  command -v appstreamcli >/dev/null; then
  echo "== Checking the Debian package"
  if [ -x build/src/app/pellin-map-tool ] && scripts/check_package.sh build; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
fi

echo "Took $((SECONDS / 60)) min $((SECONDS % 60)) s."
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
