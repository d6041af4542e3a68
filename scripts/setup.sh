#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
# Run as root (or with sudo available) on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git ccache
  libcairo2-dev libpango1.0-dev fonts-dejavu-core fonts-inter
  libpng-dev libjpeg62-turbo-dev libexif-dev
  libplist-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcpp-httplib-dev libcli11-dev libzip-dev
  # The sanitizer build and the fuzz targets: clang, its sanitizer and libFuzzer runtimes, and the
  # symbolizer that puts function names and lines into their reports.
  clang libclang-rt-14-dev llvm
)

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
