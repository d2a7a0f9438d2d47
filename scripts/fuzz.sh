#!/usr/bin/env bash
# Runs the fuzzing harnesses built in build-fuzz/ (see fuzz/CMakeLists.txt), one at a time.
#   fuzz.sh run SECONDS   fuzzes each harness for SECONDS, from its seeds and the inputs kept by
#                         earlier runs, and prints how many inputs it executed
#   fuzz.sh regressions   runs each harness once over its seeds and its regression inputs
# Fails when any harness crashes or a check of its fails; the input is kept under
# build-fuzz/artifacts/<name>/ (copy it to fuzz/regressions/<name>/ once the fault is fixed).
set -uo pipefail
mode=${1:?run or regressions}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${FUZZ_DIR:-$root/build-fuzz}

# The longest input worth trying: one record, or a few for the summary; texts of a few hundred
# characters are longer than any field.
declare -A max_len=([scheda]=3581 [noleggio]=761 [summary]=3044 [dates]=40 [pending]=1024)
default_len=600

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1
# While fuzzing, a smaller quarantine (still far more than one run frees) and shorter allocation
# stacks keep runs fast; the regressions run with ASan's full defaults, for the whole report.
[ "$mode" = run ] && ASAN_OPTIONS+=:quarantine_size_mb=16:malloc_context_size=5
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

names=()
for src in "$root"/fuzz/fuzz_*.cpp; do
    n=$(basename "$src" .cpp)
    names+=("${n#fuzz_}")
done

failed=()
for n in "${names[@]}"; do
    exe="$bin/fuzz_$n"
    [ -x "$exe" ] || { echo "fuzz_$n: not built ($exe)" >&2; failed+=("$n"); continue; }
    log="$bin/logs/$n.log"
    mkdir -p "$bin/logs" "$bin/artifacts/$n"
    seeds=()
    for d in "$root/fuzz/corpus/$n" "$root/fuzz/regressions/$n"; do
        [ -d "$d" ] && seeds+=("$d")
    done
    if [ "$mode" = run ]; then
        mkdir -p "$bin/corpus/$n"
        "$exe" -max_total_time="$seconds" -print_final_stats=1 -max_len="${max_len[$n]:-$default_len}" \
            -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$bin/artifacts/$n/" \
            "$bin/corpus/$n" "${seeds[@]}" >"$log" 2>&1
        rc=$?
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
        printf 'fuzz_%-11s %12s executions in %ss (%s/s)\n' "$n" "${runs:-?}" "$seconds" "${rate:-?}"
    else
        inputs=()
        for d in "${seeds[@]}"; do
            for f in "$d"/*; do [ -f "$f" ] && inputs+=("$f"); done
        done
        "$exe" "${inputs[@]}" >"$log" 2>&1
        rc=$?
        printf 'fuzz_%-11s %4d inputs\n' "$n" "${#inputs[@]}"
    fi
    if [ $rc -ne 0 ]; then
        echo "fuzz_$n FAILED (exit $rc); log: $log" >&2
        grep -E 'ERROR|check failed|runtime error|SUMMARY|Test unit written' "$log" | head -20 >&2
        failed+=("$n")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzzing: no crash in ${#names[@]} harnesses."
