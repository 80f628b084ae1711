#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
if [ ! -x build/bin/Galdrik ]; then
  echo "The build did not produce build/bin/Galdrik." >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Galdrik is built (build/bin/Galdrik) but there is no display to show it on." >&2
  echo "Start it from a desktop session, or with QT_QPA_PLATFORM=offscreen to run it without one." >&2
  exit 1
fi
exec build/bin/Galdrik "$@"
