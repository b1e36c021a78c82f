#!/usr/bin/env bash
# Builds the trees and runs every test: native unit tests (ASan + UBSan), fuzz targets for a
# bounded time, and, for each Windows architecture this host can run (VS_ARCHES limits them), the
# Windows-side tests and end-to-end tests under Wine, each test program in a Wine prefix and on a
# virtual display of its own.
# First everything is built; then the Windows-side tests, which mostly wait for windows, run side
# by side (VS_WINE_JOBS at a time per architecture: 3, or 2 each when both run) while the native
# tests and the fuzz targets use the processor.
# Ends with the time each part took, the architectures that ran and were skipped, and one line:
# "N passed, N failed".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

RUN_START=$(date +%s)
bash "$ROOT/tools/setup.sh" "$BUILD_ROOT" || exit 1

WINE_JOBS=${VS_WINE_JOBS:-}
LOG_DIR=$BUILD_ROOT/test-logs
RESULTS=$LOG_DIR/results
rm -rf "$LOG_DIR" && mkdir -p "$RESULTS"
ran_arches=()
skipped_arches=()
timings=()

# Each part of the run leaves "<passed> <failed>" in $RESULTS/<part>, so parts may run in
# background jobs and still add to the totals.
record() { echo "$2 $3" >"$RESULTS/$1"; }

# Processor seconds (user and system) of this shell's finished children, from what `times`
# wrote; `times` itself must run in this shell, not in a subshell, to see them.
cpu_in() { tail -n 1 "$1" | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }'; }

timed() { # description, command...: runs it and notes how long it took
    local what=$1 start rc
    shift
    start=$(date +%s)
    times >"$RESULTS/.times-before"
    "$@"
    rc=$?
    times >"$RESULTS/.times-after"
    timings+=("$what: $(($(date +%s) - start)) s (processor $(($(cpu_in "$RESULTS/.times-after") - $(cpu_in "$RESULTS/.times-before"))) s)")
    return $rc
}

# Runs ctest in a tree with its output in a log; records its counts under `part`.
run_ctest() { # part, dir, ctest args...
    local part=$1 dir=$2
    shift 2
    local log=$LOG_DIR/$part.log start=$(date +%s)
    (cd "$dir" && ctest --output-on-failure "$@") >"$log" 2>&1
    local line total fails
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        if grep -q 'No tests were found' "$log"; then
            record "$part" 0 0
        else
            record "$part" 0 1
            echo "$part: ctest in $dir gave no summary (see $log)"
        fi
        return
    fi
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fails=$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    record "$part" $((total - fails)) "$fails"
    echo "$part: $((total - fails)) passed, $fails failed in $(($(date +%s) - start)) s ($log)"
    if [ "$fails" -gt 0 ]; then
        # What failed, where CI shows only this output: the failed cases and their assertions.
        grep -E -A6 ': Failure$|^\[  FAILED  \]|\*\*\*(Timeout|Exception)' "$log" | head -n 80
        sed -n '/The following tests FAILED/,$p' "$log"
    fi
}

# A build that fails counts as one failure; the run goes on to its summary.
build_or_count() { # part, build command...
    local part=$1
    shift
    if ! ("$@") >"$LOG_DIR/build-$part.log" 2>&1; then
        echo "$part: build FAILED"
        tail -n 40 "$LOG_DIR/build-$part.log"
        record "build-$part" 0 1
        return 1
    fi
    grep -E 'warning:' "$LOG_DIR/build-$part.log" | sort -u | head -n 20
    return 0
}

# Each libFuzzer target runs for a bounded time from its committed seeds; new inputs go to a
# scratch folder so the committed corpus stays as it is.
run_fuzzers() {
    local seconds=${FUZZ_SECONDS:-45} exe name passed=0 failed=0
    for exe in "$FUZZ_DIR"/tests/fuzz/*_fuzz; do
        [ -x "$exe" ] || continue
        name=$(basename "$exe" _fuzz)
        local scratch=$BUILD_ROOT/fuzz-work/$name
        rm -rf "$scratch" && mkdir -p "$scratch"
        if "$exe" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$scratch/" "$scratch" "$ROOT/tests/fuzz/corpus/$name" \
            >"$LOG_DIR/fuzz-$name.log" 2>&1; then
            echo "fuzz $name: passed ($(grep -m1 stat::number_of_executed_units "$LOG_DIR/fuzz-$name.log" | awk '{print $2}') runs)"
            passed=$((passed + 1))
        else
            echo "fuzz $name: FAILED, see $LOG_DIR/fuzz-$name.log"
            tail -n 30 "$LOG_DIR/fuzz-$name.log"
            failed=$((failed + 1))
        fi
    done
    record fuzz "$passed" "$failed"
}

# Stops what a test program killed on its timeout may have left: its wineserver and its display.
stop_leftovers() {
    local pidfile prefix
    for pidfile in "$BUILD_ROOT"/*/wine-scratch/*.xvfb-pid; do
        [ -f "$pidfile" ] || continue
        prefix=${pidfile%.xvfb-pid}
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
        kill "$(cat "$pidfile")" 2>/dev/null
        rm -rf "$pidfile" "$prefix"
    done
    local mounted
    for mounted in "$BUILD_ROOT"/*/wine-scratch/*-drive-*; do
        mountpoint -q "$mounted" 2>/dev/null && umount -l "$mounted"
        rmdir "$mounted" 2>/dev/null
    done
}
trap stop_leftovers EXIT

# --- builds: one after another, each using every core ---------------------------------------
step "builds (logs in $LOG_DIR)"
timed "native build" build_or_count native build_native
timed "fuzz build" build_or_count fuzz build_fuzz fuzz_targets
runnable=()
for arch in $(selected_arches); do
    if arch_runs "$arch"; then
        if timed "$arch build" build_or_count "$arch" build_win "$arch"; then
            runnable+=("$arch")
            ran_arches+=("$arch")
        fi
    else
        # The program is still built, so that the shipped architecture never stops compiling.
        timed "$arch build (program only)" build_or_count "$arch" build_win "$arch" VantorSaelin-Setup
        skipped_arches+=("$arch: $(arch_skip_reason "$arch")")
    fi
done
for arch in $ALL_ARCHES; do
    selected_arches | grep -qx "$arch" || skipped_arches+=("$arch: not in VS_ARCHES=${VS_ARCHES:-}")
done

# --- tests: the Windows-side ones in the background, the processor-bound ones meanwhile -------
step "tests"
# Three Windows-side test programs at a time, or two per architecture when both run.
[ -n "$WINE_JOBS" ] || WINE_JOBS=$([ ${#runnable[@]} -gt 1 ] && echo 2 || echo 3)
windows_jobs=()
for arch in "${runnable[@]}"; do
    (
        start=$(date +%s)
        use_arch "$arch"
        run_ctest "$arch" "$WIN_DIR" -j "$WINE_JOBS" --timeout 900
        echo "$arch Windows-side tests: $(($(date +%s) - start)) s" >"$RESULTS/time-$arch"
    ) &
    windows_jobs+=($!)
done
[ -f "$NATIVE_DIR/CTestTestfile.cmake" ] && timed "native tests" run_ctest native "$NATIVE_DIR" -j "$JOBS" --timeout 600
[ -d "$FUZZ_DIR/tests/fuzz" ] && timed "fuzz targets" run_fuzzers
for job in "${windows_jobs[@]}"; do
    wait "$job"
done
for arch in "${runnable[@]}"; do
    [ -f "$RESULTS/time-$arch" ] && timings+=("$(cat "$RESULTS/time-$arch")")
done

passed=0
failed=0
for result in "$RESULTS"/*; do
    case "$(basename "$result")" in time-* | .*) continue ;; esac
    read -r p f <"$result"
    passed=$((passed + p))
    failed=$((failed + f))
done

echo
echo "logs: $LOG_DIR"
for line in "${timings[@]}"; do
    echo "time: $line"
done
echo "time: whole run: $(($(date +%s) - RUN_START)) s"
echo "Windows-side tests ran for: ${ran_arches[*]:-none}"
for arch in "${ran_arches[@]}"; do
    [ "$arch" = win32 ] && echo "  win32: on a 64-bit Windows (WoW64), and its end-to-end tests on a 32-bit Windows too"
done
for skipped in "${skipped_arches[@]}"; do
    echo "Windows-side tests skipped for $skipped"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
