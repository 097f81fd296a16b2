#!/usr/bin/env bash
# Set up, build and start OrvikCAD; files named here are opened. Only the
# program is built here; ./test.sh builds the tests, benchmarks and fuzz targets.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
BUILD_TARGETS=orvikcad "$here/scripts/setup.sh"
exec "$here/build/orvikcad" "$@"
