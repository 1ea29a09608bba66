#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it with the example
# map. Extra arguments go to the editor (a .Map file to open instead).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the editor on: start it under Xvfb with 'xvfb-run -a ./run.sh', or run it in a desktop session." >&2
  exit 1
fi

map="examples/sample.Map"
if [ $# -gt 0 ]; then
  exec build/src/app/pellin-map-tool "$@"
elif [ -f "$map" ]; then
  exec build/src/app/pellin-map-tool "$map"
else
  exec build/src/app/pellin-map-tool
fi
