#!/usr/bin/env bash
# The files clang-format keeps in shape, one a line: `make format` rewrites them
# and CI fails when one of them is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp' 'tools/*.h' \
  'tools/*.cpp' 'fuzz/*.cpp'
