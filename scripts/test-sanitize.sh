#!/usr/bin/env bash
# Set-up, a build with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer in build-asan/ (or the folder given as
# $BUILD_DIR), and every test in it. A memory error, a leak or undefined
# behaviour ends the process that ran into it, so its test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export BUILD_DIR=${BUILD_DIR:-build-asan}
bash scripts/build.sh -DTRELLIS_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
