#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
# Run as root (or with sudo available) on Debian 12.
#   bash scripts/setup.sh          what the simulator, the tweak and its settings bundle need
#   bash scripts/setup.sh --tests  that and what the tests, benchmarks and the sanitizer build need
set -euo pipefail

for_tests=0
case "${1:-}" in
  "") ;;
  --tests) for_tests=1 ;;
  *) echo "setup: unknown option '$1' (only --tests)" >&2; exit 2 ;;
esac

packages=(
  build-essential cmake pkg-config ccache
  libcairo2-dev libpango1.0-dev fonts-dejavu-core fonts-inter
  libpng-dev libjpeg62-turbo-dev libexif-dev
  libplist-dev libcurl4-openssl-dev
  nlohmann-json3-dev libcpp-httplib-dev libcli11-dev libzip-dev
)
if [ "$for_tests" -eq 1 ]; then
  packages+=(
    git libgtest-dev libgmock-dev libbenchmark-dev
    # scripts/long-functions.py and its test.
    python3
    # The sanitizer build and the fuzz targets: clang, its sanitizer and libFuzzer runtimes, and
    # the symbolizer that puts function names and lines into their reports.
    clang libclang-rt-14-dev llvm
    # The frame benchmark's WebP encoding.
    libwebp-dev
    # The browser test: node drives Debian's chromium through puppeteer-core (npm ci).
    nodejs chromium
  )
  # Debian's npm, unless a node that brings its own is installed.
  if ! command -v npm >/dev/null 2>&1; then packages+=(npm); fi
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all build packages are present"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
