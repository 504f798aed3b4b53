#!/usr/bin/env bash
# Runs one fuzzer of the fuzz build for a number of seconds: fuzz/run.sh NAME SECONDS [OPTIONS]
# (NAME: prefs, scenario, events or live; OPTIONS go to libFuzzer). New inputs gather in
# build/fuzz/corpus/NAME beside the seeds of fuzz/corpus/NAME; an input that fails is saved in
# build/fuzz/failures/, and the fuzzer's report says what broke.
set -uo pipefail
cd "$(dirname "$0")/.."
name=$1
seconds=$2
shift 2
work=build/fuzz/corpus/$name
log=build/fuzz/$name.log
mkdir -p "$work" build/fuzz/failures
dictionary=()
[ -f "fuzz/$name.dict" ] && dictionary=(-dict="fuzz/$name.dict")
echo "fuzzing $name for $seconds s"
build/fuzz/snapforge-fuzz-"$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="build/fuzz/failures/$name-" \
    "${dictionary[@]}" "$@" "$work" "fuzz/corpus/$name" >"$log" 2>&1
status=$?
# Progress lines and the recommended dictionary are many; the rest (the start, a failure's
# report, the final statistics) stays.
sed '/^###### Recommended dictionary/,/^###### End of recommended dictionary/d' "$log" |
    grep -av '^#[0-9]*.*\(NEW\|REDUCE\|pulse\|RELOAD\)'
exit $status
