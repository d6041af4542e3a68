#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds again with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs every test there too,
# the fuzz targets' short runs on their seed corpora included.
set -euo pipefail
cd "$(dirname "$0")/.."
# Each test program runs as one CTest test, its tests in one process: a process start and a phone's
# first boot per test were half of the suites' time. For a test of its own: `ctest -R Name` in a
# build configured with -DOVRIMO_TEST_WHOLE_PROGRAMS=OFF, or PROGRAM --gtest_filter=Suite.Name.
bash scripts/build.sh -DOVRIMO_TEST_WHOLE_PROGRAMS=ON
(cd build && ctest --output-on-failure -j"$(nproc)" --timeout 300)

# In batches too, and with line tables only as debug information: enough for the file and line
# of every frame in a sanitizer's report, at a fraction of full debug information's compile time.
cmake -S . -B build-asan -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS=-O1 -DCMAKE_CXX_FLAGS=-O1 \
  -DCMAKE_C_FLAGS_DEBUG=-gline-tables-only -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only \
  -DOVRIMO_SANITIZE=ON -DOVRIMO_BUILD_BENCH=OFF -DOVRIMO_TEST_WHOLE_PROGRAMS=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
# Leaks are errors, except inside the system libraries named in the suppression file.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$(nproc)" --timeout 600)
