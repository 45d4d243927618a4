#!/usr/bin/env bash
# Times the built 9V-210 LV2 bundle next to other free LV2 plug-ins from Debian (used only
# as timing references), in one run of a small JUCE host: 10 s of stereo 48 kHz pink noise
# in 256-frame blocks, ns per stereo frame net of a pass-through baseline.
#
# Usage: bench/peers/run.sh [BUILD_DIR]   (BUILD_DIR holds the built LV2 bundle; default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bundle_dir="$build/T9v210_artefacts/Release/LV2"
peers_build="$build/peers"

[ -d "$bundle_dir/9V-210.lv2" ] || { echo "no LV2 bundle under $bundle_dir: build T9v210_LV2 first" >&2; exit 1; }

missing=()
for pkg in x42-plugins lsp-plugins-lv2 calf-plugins; do
    dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root/bench/peers" -B "$peers_build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$peers_build" -j 2

uri=$(sed -n 's/.*T9V_LV2_URI *"\(.*\)".*/\1/p' "$root/plugin/Identity.cmake" | head -n 1)
[ -n "$uri" ] || uri=$(grep -o 'https\?://[^>]*' "$bundle_dir/9V-210.lv2/manifest.ttl" | head -n 1)

# An empty HOME keeps an installed copy in ~/.lv2 from standing in for the built bundle.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" "$peers_build/t9v210_peer_bench_artefacts/Release/t9v210_peer_bench" "$bundle_dir" "$uri" \
    "http://gareus.org/oss/lv2/fil4#stereo" \
    "http://lsp-plug.in/plugins/lv2/para_equalizer_x16_stereo" \
    "http://calf.sourceforge.net/plugins/Equalizer8Band" \
    "http://calf.sourceforge.net/plugins/Saturator"
