#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from the folder that holds its data.
set -e
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target cogmire cogmireServer
exec build/cogmire
