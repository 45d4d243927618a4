#!/bin/sh
# lilv's view of the LV2 bundle: lv2ls lists the plug-in under its URI and lv2info names it.
# Usage: lv2-listing.sh <bundle folder> <plug-in URI> <plug-in name>
set -eu
bundle=$1 uri=$2 name=$3

[ -f "$bundle/manifest.ttl" ] || { echo "no LV2 bundle at $bundle"; exit 1; }
export LV2_PATH="$(dirname "$bundle")"

listed=$(lv2ls)
echo "lv2ls: $listed"
echo "$listed" | grep -Fxq "$uri" || { echo "lv2ls does not list $uri"; exit 1; }

info=$(lv2info "$uri")
echo "$info" | grep -Eq "^[[:space:]]*Name:[[:space:]]*$name\$" || { echo "lv2info does not name it \"$name\""; echo "$info"; exit 1; }
echo "$info" | grep -Fq "$bundle" || { echo "lv2info does not place it in $bundle"; echo "$info"; exit 1; }
echo "ok: $uri is \"$name\" in $bundle"
