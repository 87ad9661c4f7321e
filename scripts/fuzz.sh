#!/usr/bin/env bash
# Set-up, a clang build of the libFuzzer targets in build-fuzz/ (or the
# folder given as $FUZZ_DIR), and a run of each for $FUZZ_SECONDS seconds
# (default 60) from the seed corpus in fuzz/corpus/ (fuzz_loader also from
# a seed made of the built plug-in). A crash, a leak, undefined behaviour,
# a time-out or a broken promise of the trellis command or the plug-in
# loader, or a JSON text the scene reader reads otherwise than the JSON
# library, fails the script; the input that did it is written to
# $FUZZ_DIR/artifacts/. Arguments name the targets to run (default: all of
# them).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
FUZZ_DIR=${FUZZ_DIR:-build-fuzz}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_scene fuzz_json fuzz_sections fuzz_loader)

CC=clang CXX=clang++ cmake -S . -B "$FUZZ_DIR" -G Ninja -DTRELLIS_FUZZ=ON -DTRELLIS_TESTS=OFF >/dev/null
cmake --build "$FUZZ_DIR" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$FUZZ_DIR/artifacts"
for target in "${targets[@]}"; do
  seeds="fuzz/corpus/${target#fuzz_}"
  # New inputs go to a corpus of the build; the repository's seeds are only read.
  found="$FUZZ_DIR/corpus/$target"
  mkdir -p "$found"
  options=(-max_total_time="$FUZZ_SECONDS" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1
           -artifact_prefix="$FUZZ_DIR/artifacts/$target-")
  generated=()
  case $target in
    fuzz_scene) options+=(-dict=fuzz/scene.dict -max_len=16384) ;;
    fuzz_json) options+=(-dict=fuzz/scene.dict -max_len=4096) ;;
    fuzz_sections) options+=(-max_len=8192) ;;
    fuzz_loader)
      # Seeds that pass every check, made here since built libraries do not
      # belong in git: the plug-in and a small test plug-in, without debug sections.
      generated=("$FUZZ_DIR/seeds/$target")
      mkdir -p "${generated[0]}"
      objcopy --strip-debug "$FUZZ_DIR/app/plugins/trellisObject.dlo" "${generated[0]}/plugin_stripped.dlo"
      objcopy --strip-debug "$FUZZ_DIR/fuzz/loader_seed.dlo" "${generated[0]}/small_plugin_stripped.dlo"
      options+=(-max_len=$(( $(stat -c %s "${generated[0]}/plugin_stripped.dlo") + 4096 )))
      ;;
  esac
  log="$FUZZ_DIR/$target.log"
  echo "fuzz: $target for $FUZZ_SECONDS s (log: $log)"
  if ! "$FUZZ_DIR/fuzz/$target" "${options[@]}" "$found" "$seeds" "${generated[@]}" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "fuzz: $target failed; the input is in $FUZZ_DIR/artifacts/"
    exit 1
  fi
  grep -e '^Done' -e '^stat::number_of_executed_units' -e '^stat::peak_rss_mb' "$log" || true
done
