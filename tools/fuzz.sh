#!/usr/bin/env bash
# Runs every fuzzer for the given number of seconds each, as many at once as there are cores,
# starting from its seed corpus in fuzz/corpus/<name>. New inputs it finds are kept in
# build/fuzz/corpus/<name>, crashes in build/fuzz/artifacts/. Fails when a fuzzer does.
# Usage: tools/fuzz.sh FUZZER_DIR SECONDS
set -euo pipefail
bin=$(cd "$1" && pwd) seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/fuzz
mkdir -p "$work/artifacts"

# One fuzzer's run; its report is printed in one piece when it ends, so that runs side by side do
# not mix their lines.
fuzz_one() {
  local fuzzer=$1 name
  name=$(basename "$fuzzer"); name=${name#fuzz_}
  mkdir -p "$work/corpus/$name"
  if ! (cd "$work" && "$fuzzer" "$work/corpus/$name" "$root/fuzz/corpus/$name" -max_total_time="$seconds" \
        -artifact_prefix="$work/artifacts/${name}-" -print_final_stats=1 >"$work/$name.log" 2>&1); then
    { echo "fuzzer $name failed; see $work/$name.log and $work/artifacts/"
      grep -a -m5 -E "ERROR|fuzzer:|SUMMARY" "$work/$name.log" || true; }
    return 1
  fi
  echo "fuzzed $name for ${seconds}s"
  grep -a -E "^stat::number_of_executed_units" "$work/$name.log" | sed "s/^/  /"
}

status=0
running=0
for fuzzer in "$bin"/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  fuzz_one "$fuzzer" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
exit $status
