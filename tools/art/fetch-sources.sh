#!/bin/sh
# Fetches the pinned Natural Earth outlines (npm package world-atlas) into
# .npm-cache/ (git-ignored) and checks them against the checksums the
# committed artwork was made from.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache="$here/.npm-cache"
spec=world-atlas@2.0.2
mkdir -p "$cache"
cd "$cache"
if ! [ -f world-atlas/package.json ] || ! grep -q '"version": "2.0.2"' world-atlas/package.json; then
    tarball=$(npm pack --silent --cache "$cache/npm" "$spec")
    rm -rf world-atlas
    mkdir world-atlas
    tar -xzf "$tarball" -C world-atlas --strip-components=1
    rm -f "$tarball"
    echo "fetched $spec"
fi
cd world-atlas
sha256sum -c --quiet <<'SUMS'
2516c915867c7baf18ddec727aec46c315541a07cfb3d79a6559b05d5e94eee8  countries-110m.json
SUMS
