#!/usr/bin/env bash
# Builds the trees and runs every test: native unit tests (ASan + UBSan), fuzz targets for a
# bounded time, and, for each Windows architecture this host can run (VS_ARCHES limits them), the
# Windows-side tests and end-to-end tests under Wine on a virtual display.
# Ends with one line: "N passed, N failed".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

bash "$ROOT/tools/setup.sh" "$BUILD_ROOT" || exit 1

passed=0
failed=0
ran_arches=()
skipped_arches=()
LOG_DIR=$BUILD_ROOT/test-logs
mkdir -p "$LOG_DIR"

# Runs ctest in a tree and adds its counts to the totals.
run_ctest() { # name, dir, ctest args...
    local name=$1 dir=$2
    shift 2
    local log=$LOG_DIR/$name.log
    step "tests: $name"
    (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
    local line total fails
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        if grep -q 'No tests were found' "$log"; then return; fi
        echo "ctest in $dir gave no summary" >&2
        failed=$((failed + 1))
        return
    fi
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fails=$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
}

# A build that fails counts as one failure; the run goes on to its summary.
build_or_count() { # description, build command...
    local what=$1
    shift
    if ! ("$@"); then
        echo "$what: build FAILED"
        failed=$((failed + 1))
        return 1
    fi
}

cleanup() {
    stop_wine
    stop_display
}
trap cleanup EXIT

step "native build"
build_native || exit 1
run_ctest native "$NATIVE_DIR" -j "$JOBS" --timeout 600

# Each libFuzzer target runs for a bounded time from its committed seeds; new inputs go to a
# scratch folder so the committed corpus stays as it is.
run_fuzzers() {
    local seconds=${FUZZ_SECONDS:-45} exe name
    step "fuzz targets (${seconds}s each)"
    build_or_count "fuzz targets" build_fuzz fuzz_targets || return
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
}
run_fuzzers

# One architecture's Windows-side tests, in its own tree and prefix. They share one display
# and one prefix, so they run one at a time.
run_windows_tests() { # arch
    local arch=$1
    step "cross build ($(arch_triplet "$arch"))"
    build_or_count "$arch tree" build_win "$arch" || return
    use_arch "$arch"
    [ -n "$XVFB_PID" ] || start_display
    start_wine
    run_ctest "$arch" "$WIN_DIR" --timeout 600
    stop_wine
}

for arch in $(selected_arches); do
    if arch_runs "$arch"; then
        run_windows_tests "$arch"
        ran_arches+=("$arch")
    else
        # The program is still built, so that the shipped architecture never stops compiling.
        step "cross build of the program only ($(arch_triplet "$arch")): its tests cannot run here"
        build_or_count "$arch program" build_win "$arch" VantorSaelin-Setup
        skipped_arches+=("$arch: $(arch_skip_reason "$arch")")
    fi
done
for arch in $ALL_ARCHES; do
    selected_arches | grep -qx "$arch" || skipped_arches+=("$arch: not in VS_ARCHES=${VS_ARCHES:-}")
done

echo
echo "logs: $LOG_DIR"
echo "Windows-side tests ran for: ${ran_arches[*]:-none}"
for skipped in "${skipped_arches[@]}"; do
    echo "Windows-side tests skipped for $skipped"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
