#!/usr/bin/env bash
# Set-up, a release build of the benchmarks in build-bench/ (or the folder
# given as $BENCH_DIR), and one run of them: three repetitions in random
# interleaving, medians reported, so that a busy machine skews every
# benchmark alike. Arguments go to the benchmark program and override these
# defaults, e.g. --benchmark_filter=LinksRoad or --benchmark_repetitions=1.
#
# The whole-program benchmarks (BM_Program/ROAD/OUTPUT/N/K) run the trellis
# program built beside them on scene files generated into a temporary folder
# under $TMPDIR (at most about 300 MB: the largest scene, 51 MB, and its JSON;
# removed at the end); BM_ProgramCore/ROAD/N/K rebuilds the same cages in
# process, and BM_ProgramStartup runs the program on a trellis object without
# sections, the cost of every run before its first knot.
# On the lines that run the program (".../manual_time"), "Time" is the child's
# CPU time (user + system), "CPU" only what this program spent starting it,
# and peak_MB the child's peak resident memory; the summary at the end puts
# them beside the core rebuilds and the targets. Select them, or leave them
# out, by name:
#   scripts/bench.sh --benchmark_filter=Program      # the program and its core rebuilds
#   scripts/bench.sh --benchmark_filter='Program.*/links' --benchmark_repetitions=1
#   scripts/bench.sh --benchmark_filter=-Program     # the builder's benchmarks alone
# A ratio to the core rebuild needs both in the run (Program covers both).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BENCH_DIR=${BENCH_DIR:-build-bench}
cmake -S . -B "$BENCH_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRELLIS_BENCH=ON -DTRELLIS_TESTS=OFF >/dev/null
cmake --build "$BENCH_DIR" --target trellis_bench -j "$(nproc)"
"$BENCH_DIR/bench/trellis_bench" --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true "$@"
