#!/usr/bin/env bash
# Builds the artwork generator (tools/artwork) and redraws every image of the front panel:
# resources/png/*.png and their embedded copy resources/EmbeddedArtwork.cpp. The output is
# deterministic (fixed noise seeds, fonts read from fonts-dejavu-core), so running it again
# changes nothing unless the drawing code changed. A preview of the assembled panel lands
# in <build>/tools/artwork/preview/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${T9V_ARTWORK_BUILD_DIR:-$root/build-artwork}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DT9V_BUILD_ARTWORK_TOOL=ON -DT9V_BUILD_TESTS=OFF -DT9V_BUILD_BENCH=OFF
cmake --build "$build" --target t9v210_make_artwork
echo "Artwork written to $root/resources/png and $root/resources/EmbeddedArtwork.cpp"
echo "Preview: $build/tools/artwork/preview/panel-preview-2x.png"
