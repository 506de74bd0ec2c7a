#!/usr/bin/env bash
# Unit tests natively, then the end-to-end suite under Wine; one summary line at the end.
set -uo pipefail
cd "$(dirname "$0")/.."

mkdir -p out
# The folders' groups must stay a stack: every include points down.
if python3 tools/check_layers.py; then
    layers_passed=1 layers_failed=0
else
    layers_passed=0 layers_failed=1
fi

unit_log=out/unit.log
(cd build/native && ctest --output-on-failure -j "$(nproc)") 2>&1 | tee "$unit_log"
unit_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$unit_log" | tail -1)
unit_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$unit_log" | tail -1)
if [ -z "$unit_total" ]; then
    echo "unit tests did not run"
    unit_total=1 unit_failed=1
fi

# The core's fuzz targets, a short run each on their corpus: one line per target.
fuzz_log=out/fuzz.log
bash scripts/fuzz.sh --smoke 2>&1 | tee "$fuzz_log"
fuzz_passed=$(grep -cE '^fuzz [a-z_]+: .*, 0 findings$' "$fuzz_log")
fuzz_failed=$(grep -E '^fuzz [a-z_]+: ' "$fuzz_log" | grep -cvE ', 0 findings$')
if [ "$fuzz_passed" -eq 0 ] && [ "$fuzz_failed" -eq 0 ]; then
    echo "fuzz targets did not run"
    fuzz_failed=1
fi

e2e_log=out/e2e.log
python3 tests/e2e/run.py 2>&1 | tee "$e2e_log"
e2e_line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$e2e_log" | tail -1)
if [ -n "$e2e_line" ]; then
    e2e_passed=${e2e_line%% passed*}
    e2e_failed=$(echo "$e2e_line" | sed 's/.*, \([0-9]*\) failed/\1/')
else
    echo "end-to-end suite did not finish"
    e2e_passed=0 e2e_failed=1
fi

passed=$(( layers_passed + unit_total - unit_failed + fuzz_passed + e2e_passed ))
failed=$(( layers_failed + unit_failed + fuzz_failed + e2e_failed ))
echo "include check: $layers_passed passed, $layers_failed failed; unit: $(( unit_total - unit_failed )) passed, $unit_failed failed; fuzz: $fuzz_passed passed, $fuzz_failed failed; end-to-end: $e2e_passed passed, $e2e_failed failed"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
