#!/usr/bin/env bash
# Rebuilds the PNG pictures in resources/pictures/ from scripts/make_pictures.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -fPIC -O1 scripts/make_pictures.cpp -o "$tmp/make_pictures" $(pkg-config --cflags --libs Qt6Widgets)
QT_QPA_PLATFORM=offscreen "$tmp/make_pictures" resources/pictures
