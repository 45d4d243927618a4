#!/usr/bin/env bash
# Validates the built LV2 bundle against the installed LV2 schemas and checks what
# lilv reads from it: name, URI, the factory programs as presets, the host bypass port.
# Usage: check-lv2-bundle.sh <bundle folder> <lv2_validate> <lv2info>
set -euo pipefail
bundle=$1 validate=$2 info=$3
uri="https://www.tessaro-audio.com/plugins/9v210"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$validate" ] || fail "lv2_validate not found (Debian package lv2-dev)"
[ -x "$info" ] || fail "lv2info not found (Debian package lilv-utils)"
for f in manifest.ttl dsp.ttl ui.ttl; do [ -f "$bundle/$f" ] || fail "$bundle/$f missing"; done

report=$("$validate" "$bundle"/*.ttl 2>&1) || { echo "$report"; fail "lv2_validate rejected the bundle"; }
echo "$report"
if grep -qE "^(error|warning):" <<<"$report" || ! grep -q "Found 0 errors" <<<"$report"; then
  fail "lv2_validate reported problems"
fi

# lilv finds bundles in the folders of LV2_PATH; give it a folder holding only ours.
scan=$(mktemp -d)
trap 'rm -rf "$scan"' EXIT
ln -s "$(cd "$bundle" && pwd)" "$scan/$(basename "$bundle")"
description=$(LV2_PATH="$scan" "$info" "$uri" 2>&1) || { echo "$description"; fail "lv2info cannot describe $uri"; }
echo "$description"

expect() { grep -qF -- "$1" <<<"$description" || fail "lv2info output lacks: $1"; }
expect "$uri"
expect "Name:              9V-210"
expect "Class:             Plugin"
expect "Author:            Tessaro"
expect "Author Email:      mailto:support@tessaro-audio.com"
expect "Presets:"
for name in "Default" "BASS- Overdrive And Fat" "DRUMS- Beefy Drum Room" "DRUMS- Snare Overdrive" \
            "DRUMS- Use me on every channel" "FILTER-  Automated LPF and HPF" "GUITAR- Overdrive" \
            "KEYS- Tb 303 Overdrive" "MIX- Master Mix" "VOCALS- Overdriven Telephone" "VOCALS- Warm"; do
  expect "$name"
done
presets=$(grep -c "pset:Preset" "$bundle/manifest.ttl")
[ "$presets" -eq 11 ] || fail "expected 11 presets in manifest.ttl, found $presets"
# The host's bypass: the port designated lv2:enabled.
expect "http://lv2plug.in/ns/lv2core#enabled"
echo "LV2 bundle OK"
