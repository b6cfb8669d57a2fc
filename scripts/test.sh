#!/usr/bin/env bash
# Builds and tests everything, the same way on a developer's machine and in CI:
#   1. installs the Debian packages and creates the private Wine prefix;
#   2. native build with AddressSanitizer and UBSan, then its unit tests;
#   3. Windows build with MinGW-w64, then its unit and end-to-end tests under Wine.
# Exits non-zero when any step or test failed. Logs go to build/logs/.
set -uo pipefail
cd "$(dirname "$0")/.."
# The Wine settings (scripts/wine-env.sh, Chinese locale included) are taken on
# only for the Wine steps, so compilers and CMake speak the caller's language.
logs="$PWD/build/logs"
mkdir -p "$logs"
started=$SECONDS
step_names=()
step_results=()
tests_passed=0
tests_failed=0
failed=0
wine_started=0
cups_started=0

cleanup() {
  if ((wine_started)); then
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if ((cups_started)); then
    bash scripts/cups.sh stop >/dev/null 2>&1 || true
  fi
  if [ -n "${PELLITH_XVFB_PID:-}" ]; then
    kill "$PELLITH_XVFB_PID" 2>/dev/null || true
    wait "$PELLITH_XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# step NAME COMMAND...: runs the command, prints its time and remembers how it went.
step() {
  local name=$1 begin=$SECONDS status=0
  shift
  echo
  echo "==> $name"
  "$@" || status=$?
  local took=$((SECONDS - begin))
  if ((status == 0)); then
    step_results+=("ok      ${took}s")
  else
    step_results+=("FAILED  ${took}s (exit $status)")
    failed=1
  fi
  step_names+=("$name")
  echo "<== $name: $([ $status -eq 0 ] && echo ok || echo "FAILED (exit $status)") in ${took}s"
  return $status
}

skip() {
  step_names+=("$1")
  step_results+=("skipped (${2})")
  failed=1
  echo
  echo "==> $1: skipped, $2"
}

# run_ctest LOGNAME ARGS...: runs ctest, keeps its output and counts its tests.
run_ctest() {
  local log="$logs/$1.log" status=0
  shift
  ctest --output-on-failure --no-tests=error --timeout 300 "$@" 2>&1 | tee "$log" || status=$?
  local line total failures
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    failures=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    tests_passed=$((tests_passed + total - failures))
    tests_failed=$((tests_failed + failures))
  fi
  return $status
}

native_configure() { cmake -S . -B build/native -DPELLITH_SANITIZE=ON; }
native_build() { cmake --build build/native -j2; }
windows_configure() {
  cmake --no-warn-unused-cli -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
}
windows_build() { cmake --build build/windows -j2; }

start_wine() {
  source scripts/wine-env.sh
  # The end-to-end tests type and click, so they get an Xvfb of their own rather
  # than the caller's screen, unless PELLITH_TEST_DISPLAY names one to use.
  if [ -n "${PELLITH_TEST_DISPLAY:-}" ]; then
    export DISPLAY="$PELLITH_TEST_DISPLAY"
  else
    unset DISPLAY
  fi
  source scripts/display.sh
  [ -n "${DISPLAY:-}" ] || return 1
  echo "DISPLAY=$DISPLAY"
  wine_started=1
  # The printing tests print to the PDF printer of a private print server; Wine
  # looks for printers when a process starts, so it runs before any of them.
  cups_started=1
  bash scripts/cups.sh start || echo "The print server did not start: the printing tests will fail." >&2
  # A persistent server and one boot up front: otherwise every test pays
  # about three seconds for Wine to start and stop again.
  "$WINESERVER" -p >/dev/null 2>&1 || true
  "$WINE" wineboot >"$logs/wineboot.log" 2>&1
  # Wine's virtual desktop closes when its last window goes, and a program
  # starting just then dies with an X error: keep one hidden window open for
  # the whole run (the wineserver -k of the cleanup ends it).
  "$WINE" build/windows/tests/e2e/pellith_desktop_keeper.exe >/dev/null 2>&1 &
  sleep 1
}

summary() {
  echo
  echo "================ Summary ================"
  local i
  for i in "${!step_names[@]}"; do
    printf '  %-24s %s\n' "${step_names[$i]}" "${step_results[$i]}"
  done
  echo "  Total time: $((SECONDS - started))s; logs in $logs"
  if ((failed)); then
    echo "  RESULT: FAILED"
  else
    echo "  RESULT: all passed"
  fi
  echo "Tests: $tests_passed passed, $tests_failed failed"
}

step "Install packages" bash scripts/install-packages.sh || { summary; exit 1; }
step "Wine prefix" bash scripts/wine-prefix.sh || { summary; exit 1; }

if step "Native configure" native_configure && step "Native build" native_build; then
  step "Native tests" run_ctest native-tests --test-dir build/native -j2
else
  skip "Native tests" "the native build failed"
fi

if step "Windows configure" windows_configure && step "Windows build" windows_build; then
  if step "Start display and Wine" start_wine; then
    # Under load Wine now and then drops a modifier of a key sent with SendInput
    # (Ctrl+E arrives as "e"); a group that fails is run once more, and ctest's
    # log shows every such second run.
    step "Windows tests (Wine)" run_ctest windows-tests --test-dir build/windows --repeat until-pass:2
  else
    skip "Windows tests (Wine)" "no display or Wine could not start"
  fi
else
  skip "Windows tests (Wine)" "the Windows build failed"
fi

summary
exit $failed
