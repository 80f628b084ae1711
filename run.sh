#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
if [ -x build/bin/Galdrik ]; then
  exec build/bin/Galdrik "$@"
else
  echo "The engine library is built (build/bin/libGaldrik.so); the program Galdrik does not exist yet."
fi
