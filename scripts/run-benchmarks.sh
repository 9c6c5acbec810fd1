#!/usr/bin/env bash
# Runs every benchmark program of a release build. Benchmarks that need the sample
# database find it through KORVALE_SAMPLE; it is made first when absent.
set -euo pipefail
build=${1:-build/release}
sample=${2:-sample}
if [ ! -f "$sample/KorvaleEx.DIC" ] && "$build/src/cli/korvale-cli" sample --help >/dev/null 2>&1; then
  "$build/src/cli/korvale-cli" sample "$sample"
fi
export KORVALE_SAMPLE=$(realpath "$sample" 2>/dev/null || echo "$sample")
status=0
for b in "$build"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true || status=1
done
exit $status
