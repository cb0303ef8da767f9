#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan, and runs
# each one for the given number of seconds (default 600) on a copy of its seed
# corpus. Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true

scripts/install-deps.sh
build=${PK10_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPK10_BUILD_FUZZ=ON -DPK10_SANITIZE=address,undefined -DPK10_BUILD_UI=OFF \
    -DPK10_BUILD_TESTS=OFF -DPK10_BUILD_BENCH=OFF -DPK10_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
    echo "== $target: ${seconds}s"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/$target-" "$corpus" 2>"$build/$target.log"; then
        status=1
        echo "$target FAILED; see $build/$target.log"
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$build/$target.log" || true
done
exit "$status"
