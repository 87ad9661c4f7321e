#!/usr/bin/env bash
# Set-up, a release build of the benchmarks in build-bench/ (or the folder
# given as $BENCH_DIR), and one run of them: three repetitions in random
# interleaving, medians reported, so that a busy machine skews every
# benchmark alike. Arguments go to the benchmark program and override these
# defaults, e.g. --benchmark_filter=LinksRoad or --benchmark_repetitions=1.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BENCH_DIR=${BENCH_DIR:-build-bench}
cmake -S . -B "$BENCH_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRELLIS_BENCH=ON -DTRELLIS_TESTS=OFF >/dev/null
cmake --build "$BENCH_DIR" --target trellis_bench -j "$(nproc)"
"$BENCH_DIR/bench/trellis_bench" --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true "$@"
