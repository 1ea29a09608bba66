#!/usr/bin/env bash
# Runs the random session (tests/e2e/session_test.cpp) for longer than the
# test command does, one seed after another, and prints what each run sent
# and found.
#
#   scripts/random_session.sh [--minutes M] [--seed S]... [--release]
#
# --minutes: per seed (default 20); --seed: repeatable (default 1);
# --release: the RelWithDebInfo build in build/ instead of the
# AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
minutes=20
seeds=()
dir=build-asan
options=(-DCMAKE_BUILD_TYPE=Debug -DPELLIN_SANITIZE=ON -DPELLIN_BENCH=OFF)
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) minutes="$2"; shift 2 ;;
    --seed) seeds+=("$2"); shift 2 ;;
    --release) dir=build; options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo); shift ;;
    *) echo "usage: $0 [--minutes M] [--seed S]... [--release]" >&2; exit 2 ;;
  esac
done
[ ${#seeds[@]} -gt 0 ] || seeds=(1)

cmake -S "$root" -B "$root/$dir" -G Ninja "${options[@]}" >/dev/null || exit 1
cmake --build "$root/$dir" -j 2 --target session_tests || exit 1

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export PELLIN_SESSION_SECONDS=$((minutes * 60))

failed=0
summary=()
for seed in "${seeds[@]}"; do
  log="$root/$dir/random_session_$seed.log"
  echo "== seed $seed, $minutes min (log: $log)"
  PELLIN_SESSION_SEED=$seed "$root/$dir/tests/e2e/session_tests" >"$log" 2>&1
  status=$?
  line=$(grep -a "^random session: seed .* events in" "$log" | tail -1)
  if [ $status -ne 0 ]; then
    failed=$((failed + 1))
    # The finding (or the sanitizer's report) with the event to replay.
    grep -a -m1 -E "Failure|ERROR: AddressSanitizer|runtime error|Expected equality" -A12 "$log" | head -30
    grep -a "random session: seed .*, event" "$log" | tail -1
  fi
  summary+=("seed $seed: ${line:-no summary (crashed; see the log)}, exit $status")
done
echo "== summary"
printf '%s\n' "${summary[@]}"
[ $failed -eq 0 ]
