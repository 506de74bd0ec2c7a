#!/usr/bin/env bash
# Builds the fuzz targets of the portable core and runs each one on its committed corpus.
#   scripts/fuzz.sh            a few minutes a target (FUZZ_SECONDS, default 180)
#   scripts/fuzz.sh --smoke    about 12 s a target
#   scripts/fuzz.sh [--smoke] NAME...   only those targets
# One line per target: "fuzz <target>: <runs> runs in <s> s, <n> findings". Exits non-zero on
# any finding (crash, broken property, leak, timeout, out of memory, sanitizer report); the
# input that caused it and the log stay in out/fuzz/<target>/. Inputs found along the way go
# to out/fuzz/corpus/<target>/, never into the committed corpus.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-180}
if [ "${1:-}" = "--smoke" ]; then
    seconds=${FUZZ_SECONDS:-12}
    shift
fi

build=build/fuzz
if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing: run scripts/setup.sh" >&2
    exit 2
fi
mkdir -p out/fuzz
if ! { cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ &&
       cmake --build "$build" -j 2; } >out/fuzz/build.log 2>&1; then
    cat out/fuzz/build.log >&2
    echo "fuzz targets did not build" >&2
    exit 2
fi

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for dir in tests/fuzz/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=0
for t in "${targets[@]}"; do
    exe=$build/fuzz_$t
    if [ ! -x "$exe" ]; then
        echo "fuzz $t: no such target"
        failed=1
        continue
    fi
    work=out/fuzz/$t
    found=out/fuzz/corpus/$t
    mkdir -p "$work" "$found"
    log=$work/fuzz.log
    # Value profiles keep inputs that bring a comparison closer to its edge: off-by-ones at a
    # plane's capacity or a path's length are single points that coverage alone rarely finds.
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -use_value_profile=1
             -print_final_stats=1 -artifact_prefix="$work/")
    [ -f "tests/fuzz/$t.dict" ] && options+=(-dict="tests/fuzz/$t.dict")
    start=$EPOCHREALTIME
    # The first folder takes what is new; the committed corpus is only read.
    "$exe" "${options[@]}" "$found" "tests/fuzz/corpus/$t" >"$log" 2>&1
    status=$?
    elapsed=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    [ -n "$runs" ] || runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
    [ -n "$runs" ] || runs=0
    # libFuzzer stops at its first finding and leaves with a non-zero status.
    findings=0
    [ "$status" -ne 0 ] && findings=1
    line="fuzz $t: $runs runs in $elapsed s, $findings findings"
    if [ "$findings" -ne 0 ]; then
        input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
        line="$line (${input:-no input kept}; log $log)"
        failed=1
    fi
    echo "$line"
done
exit $failed
