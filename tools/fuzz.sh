#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in a build folder of their own and runs each for
# FUZZ_SECONDS (60) seconds, FUZZ_PARALLEL (1, at most 2 on a small machine) at a time, from its
# corpus (build/corpus/<target>, kept between runs), the inputs kept in the repository
# (fuzz/corpus/<target>, which `make check` replays) and the seeds that fuzz_seeds writes. What
# the run found that adds coverage joins fuzz/corpus/<target>, minimised by libFuzzer's merge. Prints,
# per target, the executions and any crash; crash files land in build/crashes/<target>/.
# Exits non-zero when a target crashed.
#
#   tools/fuzz.sh [build folder] [target...]     targets: gif_split media_commands numbers
#                                                cd_track_text settings_file midi_timing
#                                                picture_integrity command_line playlists
#                                                idle_replies
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-fuzz}
shift || true
seconds=${FUZZ_SECONDS:-60}
parallel=${FUZZ_PARALLEL:-1}
jobs=${JOBS:-2}
all=(gif_split media_commands numbers cd_track_text settings_file midi_timing picture_integrity
     command_line playlists idle_replies)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

mkdir -p "$build"
build=$(cd "$build" && pwd)
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DLUMAFOLIO_FUZZ=ON -DLUMAFOLIO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target lumafolio_fuzzers
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
"$build/fuzz/fuzz_seeds" "$seeds"

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/sanitizers/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

# Runs one target; its summary goes to fuzz-logs/<target>.summary.
run() {
    local name=$1
    local program="$build/fuzz/fuzz_$name"
    local corpus="$build/corpus/$name" crashes="$build/crashes/$name" log="$build/fuzz-logs/$name.log"
    local kept="$root/fuzz/corpus/$name"
    [ -x "$program" ] || { echo "$name: no such fuzz target" >"$build/fuzz-logs/$name.summary"; return; }
    mkdir -p "$corpus" "$crashes" "$kept"
    local options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$crashes/")
    [ -f "$seeds/$name.dict" ] && options+=(-dict="$seeds/$name.dict")
    local started=$SECONDS
    nice -n "${FUZZ_NICE:-10}" "$program" "${options[@]}" "$corpus" "$kept" "$seeds/$name" >"$log" 2>&1 || true
    "$program" -merge=1 "$kept" "$corpus" >"$log.merge" 2>&1 || true
    local executions
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    # crash-, leak-, oom- and timeout- files: what each one is shows in its name.
    local found
    found=$(find "$crashes" -type f -newer "$log.start" -printf '%f ' 2>/dev/null || true)
    local line="$name: ${executions:-?} executions in $((SECONDS - started)) s"
    if [ -n "$found" ]; then
        line+=", new in $crashes: $found(log: $log)"
        local what
        what=$(grep -m3 -E 'ERROR: |runtime error|property broken|SUMMARY' "$log" | sed 's/^/    /' || true)
        [ -z "$what" ] || line+=$'\n'"$what"
    else
        line+=", no crash"
    fi
    echo "$line" >"$build/fuzz-logs/$name.summary"
}

mkdir -p "$build/fuzz-logs"
running=0
for name in "${targets[@]}"; do
    rm -f "$build/fuzz-logs/$name.summary"
    touch "$build/fuzz-logs/$name.log.start"
    run "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$parallel" ]; then
        wait -n || true
        running=$((running - 1))
    fi
done
wait

status=0
echo "== fuzzing, $seconds s per target =="
for name in "${targets[@]}"; do
    cat "$build/fuzz-logs/$name.summary" 2>/dev/null || echo "$name: no result, see $build/fuzz-logs/$name.log"
    if grep -qs ', new in ' "$build/fuzz-logs/$name.summary"; then status=1; fi
done
exit $status
