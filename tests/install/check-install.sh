#!/bin/sh
# check-install.sh BUILD_DIR PREFIX SOURCE_DIR LIBDIR BINDIR DATADIR
# Runs `cmake --install` into PREFIX (emptied first) and checks the result.
# Prints every fault found and exits 1 if there was any.
set -u
build=$1 prefix=$2 source=$3 libdir=$4 bindir=$5 datadir=$6
app=org.mapurix.Mapurix
program="$prefix/$libdir/mapurix"
faults=0
fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

rm -rf "$prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    echo "FAULT: cmake --install failed"
    exit 1
fi

# The game and every data file, unchanged, in one program folder.
[ -x "$program/mapurix" ] || fault "no executable $libdir/mapurix/mapurix"
(cd "$source/data" && find . -type f ! -name '.*') | while read -r file; do
    if ! cmp -s "$source/data/$file" "$program/$file"; then
        echo "FAULT: data file ${file#./} missing or changed in the program folder"
        exit 1
    fi
done || faults=$((faults + 1))
for folder in gifs sonidos licencias; do
    [ -d "$program/$folder" ] || fault "no folder $folder beside the executable"
done

# The launcher: a valid script whose target is the installed executable.
launcher="$prefix/$bindir/mapurix"
if [ -x "$launcher" ]; then
    sh -n "$launcher" || fault "launcher is not a valid shell script"
    relative=$(sed -n 's|^exec "\$here/\(.*\)/mapurix" "\$@"$|\1|p' "$launcher")
    [ -n "$relative" ] && [ -x "$(dirname "$launcher")/$relative/mapurix" ] ||
        fault "launcher does not lead to $libdir/mapurix/mapurix"
else
    fault "no executable launcher $bindir/mapurix"
fi

# Menu entry.
desktop="$prefix/$datadir/applications/$app.desktop"
if [ -f "$desktop" ]; then
    grep -qx 'Categories=Education;Geography;' "$desktop" || fault "desktop entry categories"
    grep -qx 'Exec=mapurix' "$desktop" || fault "desktop entry does not run the launcher"
    grep -qx 'Icon=mapurix' "$desktop" || fault "desktop entry icon name"
    grep -q '^Name=' "$desktop" && grep -q '^Comment=' "$desktop" || fault "desktop entry name or comment"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fault "desktop-file-validate rejects the entry"
    fi
else
    fault "no desktop entry $datadir/applications/$app.desktop"
fi

# Icons: a PNG of the right size in every hicolor size folder (the width and
# height are the big-endian words at bytes 16 and 20 of a PNG).
for size in 16 32 48 64 128 256; do
    icon="$prefix/$datadir/icons/hicolor/${size}x${size}/apps/mapurix.png"
    if [ -f "$icon" ]; then
        dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
        [ "$dims" = "${size}x${size}" ] || fault "icon $size is $dims"
    else
        fault "no icon ${size}x${size}"
    fi
done
[ -f "$prefix/$datadir/icons/hicolor/scalable/apps/mapurix.svg" ] || fault "no scalable icon"

# AppStream metainfo, pointing at the installed desktop entry.
metainfo="$prefix/$datadir/metainfo/$app.metainfo.xml"
if [ -f "$metainfo" ]; then
    grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
        fault "metainfo does not launch $app.desktop"
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$metainfo" >"$prefix.appstream.log" 2>&1 ||
            { cat "$prefix.appstream.log"; fault "appstreamcli rejects the metainfo"; }
    fi
else
    fault "no metainfo $datadir/metainfo/$app.metainfo.xml"
fi

if [ $faults -ne 0 ]; then
    echo "$faults fault(s) in the installed tree under $prefix"
    exit 1
fi
echo "installed tree under $prefix is complete"
