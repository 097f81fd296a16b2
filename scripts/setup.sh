#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds OrvikCAD into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libgif-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-ezdxf hp2xx libemf2svg-dev
  xdg-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then missing+=("$p"); fi
done
if [ "${SETUP_SKIP_APT:-0}" != "1" ] && [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "${SETUP_SKIP_BUILD:-0}" = "1" ]; then exit 0; fi

BUILD_DIR="${BUILD_DIR:-build}"
BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
# BUILD_TARGETS names the targets to build (all of them when empty).
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" ${CMAKE_EXTRA_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
