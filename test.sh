#!/usr/bin/env bash
# Set up, build and run every test headless: the full build, then the model
# and file-format code again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
jobs="$(nproc)"
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

SETUP_SKIP_APT=1 BUILD_DIR=build-asan BUILD_TYPE=Debug \
  CMAKE_EXTRA_ARGS="-DORVIK_MODEL_ONLY=ON -DORVIK_SANITIZE=ON" ./scripts/setup.sh
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600
