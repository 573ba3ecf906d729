#!/usr/bin/env bash
# Builds the program in the three build types with g++ and with clang,
# warnings as errors: a build type or a compiler that the daily build does not
# use must still build. Only the `quavor` target is built, to keep the run
# affordable; each build directory is kept between runs (BUILD_TYPES_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
root=${BUILD_TYPES_DIR:-build-types}
jobs=${JOBS:-$(nproc)}
compilers=${COMPILERS:-"g++ clang++"}
types=${TYPES:-"Debug Release RelWithDebInfo"}
for cxx in $compilers; do
  if ! command -v "$cxx" > /dev/null; then
    echo "build_types: $cxx is not installed" >&2
    exit 1
  fi
  for type in $types; do
    # make test has just built this one, warnings as errors.
    if [ "$cxx $type" = "g++ RelWithDebInfo" ] && [ -z "${ALL_BUILD_TYPES:-}" ]; then
      echo "== g++ RelWithDebInfo: built by make test"
      continue
    fi
    dir="$root/$cxx-$type"
    echo "== $cxx $type"
    cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE="$type" -DQUAVOR_WERROR=ON > /dev/null
    cmake --build "$dir" -j "$jobs" --target quavor
    "$dir/quavor" -v 2> /dev/null || { echo "build_types: $dir/quavor does not run" >&2; exit 1; }
  done
done
