#!/usr/bin/env bash
# Makes the Debian package pellin-map-tool_<version>_amd64.deb in this
# folder: installs what the build needs (scripts/setup.sh), builds the two
# programs at Release's optimisation in build-package (without the tests),
# and packs them with CPack. Install it with
#   sudo apt install ./pellin-map-tool_*_amd64.deb
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
dir=build-package
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$dir"/pellin-map-tool_*_amd64.deb | head -1)
cp "$deb" .
echo "Made $(basename "$deb")"
