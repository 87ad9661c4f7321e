#!/usr/bin/env bash
# Set-up, the normal build in build/ (or $BUILD_DIR), and the test binary
# under valgrind's memcheck: any invalid access, use of uninitialised
# memory or leak fails it. Slow (several minutes); arguments go to the test
# binary, e.g. --gtest_filter='App*'.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export BUILD_DIR=${BUILD_DIR:-build}
bash scripts/build.sh
# The trellis program the end-to-end tests start runs natively: the same
# code runs in the test process, under memcheck, in the other app tests.
valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect,possible \
  --errors-for-leak-kinds=definite,indirect,possible --quiet \
  --suppressions=scripts/memcheck.supp \
  "$BUILD_DIR/tests/trellis_tests" "$@"
