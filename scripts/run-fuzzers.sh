#!/usr/bin/env bash
# Runs every fuzz target of a libFuzzer build for a given time each and prints, per target, the
# executions and the coverage reached. Usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
set -euo pipefail

build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")/.." && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$here"/fuzz/*_fuzz.cc; do targets+=("$(basename "$t" .cc)"); done
fi

mkdir -p "$build/crashes" "$build/logs"
status=0
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  log="$build/logs/$name.log"
  # New inputs go to the build's corpus; the seeds in fuzz/corpus are read, never written.
  seeds=()
  [ -d "$here/fuzz/corpus/$name" ] && seeds=("$here/fuzz/corpus/$name")
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=20 \
      -rss_limit_mb=4096 -artifact_prefix="$build/crashes/$name-" \
      "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    echo "$target: FAILED, see $log and $build/crashes" >&2
    status=1
  fi
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}' | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  printf '%-22s %8ss  executions %-10s coverage %s edges, %s features\n' \
    "$name" "$seconds" "${execs:-?}" "${cov:-?}" "${ft:-?}"
done
exit $status
