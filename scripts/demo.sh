#!/usr/bin/env bash
# Installs what is missing, builds what the simulator runs (the simulator, the tweak and its
# package, the settings bundle) and runs the simulator's main job: the demo, or with arguments
# whatever they ask of ovrimo-sim (`serve` serves the demo's phone to a web browser). The tests
# and benchmarks are built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

first_time=1
if [ -x build/sim/ovrimo-sim ]; then first_time=0; fi
case "${1:-demo}" in
  demo) what="makes icons on a fresh simulated phone and writes pictures of each step with a gallery page" ;;
  serve) what="serves the demo's phone to a web browser" ;;
  *) what="runs: ovrimo-sim $*" ;;
esac
echo "demo: installs the Debian packages the build lacks, builds the simulator and the tweak into build/, then $what."
if [ "$first_time" -eq 1 ]; then
  echo "demo: the first time takes about 4 minutes on 2 cores (4 measured on a fresh Debian 12, packages included); later runs a few seconds."
else
  echo "demo: built before, so this takes a few seconds (longer if the sources changed since)."
fi

echo "demo: checking the Debian packages the build needs"
bash scripts/setup.sh

# A build folder of our own is configured for the demo alone: no tests or benchmarks, light
# optimisation and no debug information, which takes a third less time to compile and runs the demo
# as fast. scripts/test.sh turns the tests on and builds with its own flags. A build folder
# configured before keeps its settings.
if [ -f build/CMakeCache.txt ]; then
  cmake -S . -B build >/dev/null
else
  echo "demo: configuring build/"
  cmake -S . -B build -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DOVRIMO_BUILD_TESTS=OFF -DOVRIMO_BUILD_BENCH=OFF >/dev/null
fi
echo "demo: building the simulator and the tweak on $(nproc) cores"
cmake --build build -j"$(nproc)" --target ovrimo-sim

# `serve` shows the phone the demo left behind, unless another one is asked for.
if [ "${1:-}" = "serve" ] && [[ " $* " != *" --device-root"* ]]; then
  exec ./build/sim/ovrimo-sim --device-root build/demo-phone "$@"
fi
echo "demo: starting the simulator"
exec ./build/sim/ovrimo-sim "$@"
