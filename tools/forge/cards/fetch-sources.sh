#!/bin/sh
# Fetches the pinned npm packages the region cards are made from into the
# forge's git-ignored cache (tools/forge/.npm-cache/), beside the map sources.
# Exact versions, so that `mapurix-forge cards` gives the committed files again.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache="$here/../.npm-cache"
mkdir -p "$cache"
cd "$cache"
for spec in world-countries@5.1.0 flag-icons@7.5.0; do
    name=${spec%@*}
    if [ -f "$name/package.json" ] && grep -q "\"version\": \"${spec#*@}\"" "$name/package.json"; then
        continue
    fi
    tarball=$(npm pack --silent "$spec")
    rm -rf "$name"
    mkdir "$name"
    tar -xzf "$tarball" -C "$name" --strip-components=1
    rm -f "$tarball"
    echo "fetched $spec"
done
