#!/usr/bin/env bash
# Set up, build and start OrvikCAD; files named here are opened.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
exec "$here/build/orvikcad" "$@"
