#!/usr/bin/env bash
# Installs what is missing, builds, and runs the simulator's main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
./build/sim/ovrimo-sim "$@"
