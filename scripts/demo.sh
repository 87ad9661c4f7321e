#!/usr/bin/env bash
# Set-up, a build of what the demo needs (the trellis program, the host
# stand-in and the plug-in, not the tests), and the main job: build the
# embedded demo scene.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
cmake --build "$BUILD_DIR" --target trellis
"./$BUILD_DIR/app/trellis" demo
