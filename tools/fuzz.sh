#!/usr/bin/env bash
# Runs every fuzzer for the given number of seconds each, starting from its seed corpus in
# fuzz/corpus/<name>. New inputs it finds are kept in build/fuzz/corpus/<name>, crashes in
# build/fuzz/artifacts/. Fails when a fuzzer does.
# Usage: tools/fuzz.sh FUZZER_DIR SECONDS
set -euo pipefail
bin=$1 seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/fuzz
mkdir -p "$work/artifacts"
status=0
for fuzzer in "$bin"/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer"); name=${name#fuzz_}
  mkdir -p "$work/corpus/$name"
  echo "fuzzing $name for ${seconds}s"
  if ! (cd "$work" && "$fuzzer" "$work/corpus/$name" "$root/fuzz/corpus/$name" -max_total_time="$seconds" \
        -artifact_prefix="$work/artifacts/${name}-" -print_final_stats=1 >"$work/$name.log" 2>&1); then
    echo "fuzzer $name failed; see $work/$name.log and $work/artifacts/"
    grep -a -m5 -E "ERROR|fuzzer:|SUMMARY" "$work/$name.log" || true
    status=1
  else
    grep -a -E "^stat::number_of_executed_units" "$work/$name.log" | sed "s/^/  /"
  fi
done
exit $status
