#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, runs every test, then builds the core
# tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Every C++ source is kept in the project's clang-format style.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
bash scripts/build.sh build -DVOVIRO_WERROR=ON
(cd build && ctest --output-on-failure -j "$(nproc)")
bash scripts/build.sh build-asan -DVOVIRO_SANITIZE=ON -DVOVIRO_CORE_ONLY=ON -DVOVIRO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DVOVIRO_WERROR=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)")
