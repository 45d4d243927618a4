#!/usr/bin/env bash
# Installs what the build needs, builds every target in Release and installs the VST3
# and LV2 bundles for the current user (~/.vst3, ~/.lv2).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${T9V_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DT9V_BUILD_BENCH=ON
cmake --build "$build"

artefacts="$build/T9v210_artefacts/Release"
mkdir -p "$HOME/.vst3" "$HOME/.lv2"
rm -rf "$HOME/.vst3/9V-210.vst3" "$HOME/.lv2/9V-210.lv2"
cp -r "$artefacts/VST3/9V-210.vst3" "$HOME/.vst3/"
cp -r "$artefacts/LV2/9V-210.lv2" "$HOME/.lv2/"
echo "Installed $HOME/.vst3/9V-210.vst3 and $HOME/.lv2/9V-210.lv2"
echo "Standalone: $artefacts/Standalone/9V-210"
