#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: the ordinary build, the
# same tests under the address and undefined-behaviour sanitizers, the audio tests (the one
# place with a second thread) under the thread sanitizer, and each fuzzer for a bounded time.
# "--quick" runs the ordinary build's tests only.
set -eo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
jobs=$(nproc)

echo "== ordinary build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
[ "${1:-}" = "--quick" ] && exit 0

echo "== sanitizer build"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCOGMIRE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== thread sanitizer build (audio tests)"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DCOGMIRE_TSAN=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target audioSoundTest audioNoDeviceTest
ctest --test-dir build-tsan --output-on-failure -L audio -j"$jobs"

echo "== fuzzers"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOGMIRE_FUZZ=ON \
    -DCOGMIRE_FUZZ_SECONDS="${COGMIRE_FUZZ_SECONDS:-30}" >/dev/null
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz --output-on-failure -L fuzz -j"$jobs"
