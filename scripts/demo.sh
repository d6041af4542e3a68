#!/usr/bin/env bash
# Installs what is missing, builds what the simulator needs (the simulator, the tweak and its
# package, the settings bundle) and runs the simulator's main job. The tests and benchmarks are
# built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "demo: checking the Debian packages the build needs"
bash scripts/setup.sh
echo "demo: configuring build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "demo: building the simulator and the tweak on $(nproc) cores (a few minutes the first time)"
cmake --build build -j"$(nproc)" --target ovrimo-sim
echo "demo: starting the simulator"
exec ./build/sim/ovrimo-sim "$@"
