#!/usr/bin/env bash
# Builds the fuzz target with clang's libFuzzer, AddressSanitizer and UBSan in
# build/fuzz, and runs it a fixed number of times.
#   scripts/fuzz.sh build    only builds it
#   scripts/fuzz.sh smoke    a short run from the seed inputs alone (make test)
#   scripts/fuzz.sh [RUNS]   a long run (make fuzz), whose corpus grows in
#                            build/fuzz/corpus from one run to the next
# A finding stops the run and is kept as build/fuzz/crash-* for replaying:
#   build/fuzz/tests/fuzz/profile_fuzzer build/fuzz/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
tree=build/fuzz
seeds=tests/fuzz/corpus
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
flags+=" -fno-omit-frame-pointer"
cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$tree" --target profile_fuzzer >/dev/null
fuzzer="$tree/tests/fuzz/profile_fuzzer"
mode="${1:-1000000}"
[ "$mode" = build ] && exit 0

# Fixed seed and input size: a run of the same length does the same work.
# The figures are shown; on a finding, the fuzzer's whole report.
run() {
  local log="$tree/last-run.log" status=0
  "$fuzzer" -seed=1 -max_len=4096 -rss_limit_mb=2048 -artifact_prefix="$tree/crash-" \
    -print_final_stats=1 "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$log"
    return "$status"
  fi
  grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|Done|stat::(number_of_executed_units|peak_rss_mb))' "$log"
}
if [ "$mode" = smoke ]; then
  scratch="$tree/smoke-corpus"
  rm -rf "$scratch"
  mkdir -p "$scratch"
  run -runs=20000 "$scratch" "$seeds"
else
  mkdir -p "$tree/corpus"
  run -runs="$mode" "$tree/corpus" "$seeds"
  echo "corpus: $(ls "$tree/corpus" | wc -l) inputs in $tree/corpus"
fi
