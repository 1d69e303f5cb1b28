#!/usr/bin/env bash
# Builds everything and runs every test: unit and end-to-end tests (under Xvfb, with a
# window manager, started by the tests themselves), then the unit tests again in the
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j 1

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs" --target orvex_unit_tests orvex_painter_tests demo_portal_tests e2e_support_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset sanitize -j "$jobs"
