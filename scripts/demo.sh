#!/usr/bin/env bash
# Set-up, build, and the main job: build the embedded demo scene.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
./build/app/trellis demo
