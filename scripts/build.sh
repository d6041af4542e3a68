#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into build/ (tests and
# benchmarks included, also in a build/ that the demo configured without them).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVRIMO_BUILD_TESTS=ON -DOVRIMO_BUILD_BENCH=ON >/dev/null
cmake --build build -j"$(nproc)"
