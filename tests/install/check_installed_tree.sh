#!/bin/sh
# Checks an installed tree: the program, the menu entry, the document's MIME type, the AppStream metainfo and
# the icons, each icon in the folder of its own size.
# Usage: check_installed_tree.sh [--mime-database] <prefix>
# With --mime-database the prefix's MIME database must have been refreshed as well.
set -eu
mime_database=no
if [ "$1" = "--mime-database" ]; then
    mime_database=yes
    shift
fi
prefix=$1

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# Width and height of a PNG, from its header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

[ -x "$prefix/bin/qelt" ] || fail "bin/qelt is not installed"
desktop="$prefix/share/applications/qelt.desktop"
mime="$prefix/share/mime/packages/qelt.xml"
metainfo="$prefix/share/metainfo/org.example.qelt.metainfo.xml"
[ -f "$desktop" ] || fail "share/applications/qelt.desktop is not installed"
[ -f "$mime" ] || fail "share/mime/packages/qelt.xml is not installed"
[ -f "$metainfo" ] || fail "share/metainfo/org.example.qelt.metainfo.xml is not installed"

for size in 16 24 32 48 64 128 256; do
    for icon in apps/qelt.png mimetypes/application-x-qelt-reaction.png; do
        file="$prefix/share/icons/hicolor/${size}x${size}/$icon"
        if [ ! -f "$file" ]; then
            fail "icon ${size}x${size}/$icon is not installed"
        elif [ "$(png_size "$file")" != "${size}x${size}" ]; then
            fail "icon ${size}x${size}/$icon is $(png_size "$file")"
        fi
    done
done

if [ -f "$desktop" ] && [ -f "$mime" ]; then
    grep -qx 'Exec=qelt %F' "$desktop" || fail "the menu entry does not start qelt with the files"
    grep -qx 'Icon=qelt' "$desktop" || fail "the menu entry does not name the qelt icon"
    grep -qx 'MimeType=application/x-qelt-reaction;' "$desktop" || fail "the menu entry does not open reactions"
    grep -q '<mime-type type="application/x-qelt-reaction">' "$mime" || fail "the MIME type is not defined"
    grep -q '<glob pattern="\*.equ"/>' "$mime" || fail "the MIME type does not claim *.equ"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
    else
        echo "desktop-file-validate not found: the menu entry was not validated"
    fi
    # The install refreshes the prefix's MIME database when the tool is there; its glob table then maps
    # *.equ to the reaction type.
    if [ "$mime_database" = yes ] && command -v update-mime-database >/dev/null; then
        grep -qx '[0-9]*:application/x-qelt-reaction:\*\.equ' "$prefix/share/mime/globs2" ||
            fail "the MIME database of the prefix does not map *.equ to the reaction type"
    fi
fi

# Software centres list the program by its metainfo: valid, and naming the menu entry and the document type.
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
    grep -q '<launchable type="desktop-id">qelt.desktop</launchable>' "$metainfo" ||
        fail "the metainfo does not name the menu entry"
    grep -q '<mediatype>application/x-qelt-reaction</mediatype>' "$metainfo" ||
        fail "the metainfo does not name the reaction type"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "$prefix holds the program and its desktop integration"
