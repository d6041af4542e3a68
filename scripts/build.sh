#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into build/ (tests and
# benchmarks included, also in a build/ that the demo configured without them). Arguments are
# handed to cmake's configure step (scripts/test.sh passes -DOVRIMO_TEST_WHOLE_PROGRAMS=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
# Optimised as a release (the benchmarks measure this build) but without debug information, which
# costs a quarter of the compile time; the sanitizer build of scripts/test.sh keeps it for its
# reports.
# Sources are compiled in batches (a unity build), half the time of a build file by file.
cmake -S . -B build -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DOVRIMO_BUILD_TESTS=ON -DOVRIMO_BUILD_BENCH=ON "$@" >/dev/null
cmake --build build -j"$(nproc)"
