#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target of a fuzzing build for a set time, starting from the
# committed seed corpus. Inputs that crash are left in BUILD/artifacts; copy
# them into fuzz/regressions/<target>/ once fixed, so the tests replay them.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS_PER_TARGET
set -uo pipefail
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/artifacts"
failed=()
for binary in "$build"/fuzz/fuzz_*; do
  [ -f "$binary" ] && [ -x "$binary" ] || continue
  name=$(basename "$binary")
  name=${name#fuzz_}
  work=$(mktemp -d)
  echo "== fuzzing $name for ${seconds}s"
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" "$work" "$root/fuzz/corpus/$name" >"$build/artifacts/$name.log" 2>&1; then
    failed+=("$name")
    tail -n 40 "$build/artifacts/$name.log"
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/artifacts/$name.log" | tail -n 2
  fi
  rm -rf "$work"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]}"
  exit 1
fi
echo "fuzzing: no problems found"
