#!/usr/bin/env bash
# Builds (Release) and runs every benchmark in bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=build-bench BUILD_TYPE=Release ./scripts/setup.sh
for b in build-bench/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b" "$@"
done
