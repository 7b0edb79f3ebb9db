#!/usr/bin/env bash
# Builds the program folder build/dist and starts the game there.
#   ./run.sh          starts Frostlide
#   ./run.sh editor   starts Mapwright
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only the programs and their data; ./test.sh builds the tests.
cmake --build build -j"$(nproc)" --target Frostlide Mapwright frostlide-cli
case "${1:-game}" in
  editor) shift || true; exec build/dist/Mapwright "$@" ;;
  game)   shift || true; exec build/dist/Frostlide "$@" ;;
  *)      exec build/dist/Frostlide "$@" ;;
esac
