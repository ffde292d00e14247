#!/bin/sh
# Runs one fuzz target: first every saved input, each once and unchanged (the same every run),
# then a brief exploration from a random seed, which is printed. Any finding fails the run and is
# printed as base64 with the seed, so that anyone can replay it:
#   echo BASE64 | base64 -d > input && FUZZER input
# Usage: run_target.sh FUZZER SAVED_CORPUS WORK_DIR SECONDS
#   WORK_DIR keeps the inputs the exploration adds (corpus/) and its findings (findings/).
#   FUZZ_SEED=N explores from seed N instead of a random one; FUZZ_OPTIONS adds libFuzzer options.
set -u
fuzzer=$1
saved=$2
work=$3
seconds=$4
name=$(basename "$fuzzer")
# An input that runs for longer than this is a finding too: a reader that hangs.
options="-timeout=30 -rss_limit_mb=1024 ${FUZZ_OPTIONS:-}"

mkdir -p "$work/corpus" "$work/findings" || exit 1
rm -f "$work/findings/"*

# show FILE SEED: one finding, as the lines that replay it.
show() {
    echo "!! $name finding ${2:+(seed $2) }$(basename "$1"), $(wc -c <"$1") bytes, base64:"
    base64 -w0 "$1"
    echo
}

failed=0
replayed=0
for input in "$saved"/*; do
    [ -f "$input" ] || continue
    replayed=$((replayed + 1))
    # shellcheck disable=SC2086
    if ! out=$("$fuzzer" $options "$input" 2>&1); then
        echo "$out" | tail -n 40
        show "$input" ""
        failed=1
    fi
done
echo "$name: $replayed saved inputs replayed, $([ $failed -eq 0 ] && echo none failed || echo some failed)"
[ "$replayed" -gt 0 ] || { echo "!! $name: no saved input in $saved"; failed=1; }

seed=${FUZZ_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
# libFuzzer takes seed 0 as "pick one yourself", which would not be the one printed.
[ "$seed" -ne 0 ] || seed=1
echo "$name: exploring for $seconds s from seed $seed (FUZZ_SEED=$seed repeats the start)"
# shellcheck disable=SC2086
"$fuzzer" $options -seed="$seed" -max_total_time="$seconds" -artifact_prefix="$work/findings/" \
    "$work/corpus" "$saved"
status=$?
# Crashes, leaks, hangs and memory blow-ups fail; an input that was merely slow is named.
for finding in "$work/findings/"*; do
    [ -f "$finding" ] || continue
    case $(basename "$finding") in
    slow-unit-*) echo "$name: slow input kept as $finding" ;;
    *)
        show "$finding" "$seed"
        failed=1
        ;;
    esac
done
if [ "$status" -ne 0 ]; then
    echo "!! $name: the exploration from seed $seed ended with status $status"
    failed=1
fi
exit $failed
