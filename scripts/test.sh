#!/usr/bin/env bash
# Sets up, builds and runs every test:
#   1. the whole project with -Wall -Wextra -Werror, all tests (widget tests
#      offscreen);
#   2. the plain libraries again under AddressSanitizer and
#      UndefinedBehaviorSanitizer, with their tests;
#   3. the file watcher's thread and its hand-over to the user-interface
#      thread under ThreadSanitizer (only those targets are built).
# Ends with CTest's summary line of each run; exits non-zero if any test failed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
status=0
summary=()
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

# run_ctest STAGE CTEST-ARGS...: runs CTest, keeps its summary line for the end.
run_ctest() {
  local stage="$1"; shift
  local rc=0
  ctest "$@" 2>&1 | tee "$log" || rc=1
  grep -q "tests passed" "$log" || rc=1
  summary+=("$stage: $(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)")
  return $rc
}

echo "== Build (warnings are errors)"
BUILD_DIR="$root/build" "$root/scripts/build.sh" -DPEEKWELL_WERROR=ON
echo "== Tests"
run_ctest "all tests" --test-dir "$root/build" --output-on-failure -j "$jobs" || status=1

echo "== Plain libraries under AddressSanitizer and UndefinedBehaviorSanitizer"
BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DPEEKWELL_WERROR=ON \
  -DPEEKWELL_CORE_ONLY=ON -DPEEKWELL_BENCH=OFF -DPEEKWELL_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest "plain libraries, ASan+UBSan" --test-dir "$root/build-asan" --output-on-failure -j "$jobs" || status=1

echo "== File watcher under ThreadSanitizer"
tsan_args=(-DPEEKWELL_WERROR=ON -DPEEKWELL_BENCH=OFF -DPEEKWELL_SANITIZE=thread -DCMAKE_BUILD_TYPE=Debug)
cmake -S "$root" -B "$root/build-tsan" -G Ninja -DPEEKWELL_CORE_ONLY=ON "${tsan_args[@]}" >/dev/null
cmake --build "$root/build-tsan" --target binhex_file_notification_test --parallel "$jobs"
# The Qt hand-over needs a Qt build; only its test target is built there.
cmake -S "$root" -B "$root/build-tsan-gui" -G Ninja "${tsan_args[@]}" >/dev/null
cmake --build "$root/build-tsan-gui" --target binhex_file_notifier_test --parallel "$jobs"
tsan_options=halt_on_error=1:second_deadlock_stack=1
TSAN_OPTIONS=$tsan_options \
  run_ctest "file watcher, TSan" --test-dir "$root/build-tsan" -R FileNotif --output-on-failure -j "$jobs" || status=1
# Qt itself is not instrumented; the suppressions file says what that hides.
TSAN_OPTIONS=$tsan_options:suppressions=$root/tests/binhex/FileNotifierTsan.supp \
  run_ctest "watcher hand-over, TSan" --test-dir "$root/build-tsan-gui" -R FileNotif --output-on-failure -j "$jobs" || status=1

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
exit $status
