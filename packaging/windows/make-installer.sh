#!/bin/sh
# Makes the installer from the zip's folder with Debian's NSIS, with the
# pictures of resources/windows:
#   make-installer.sh FOLDER VERSION ICON OUTFILE
set -eu
stage=$(realpath "$1") version=$2 icon=$(realpath "$3") outfile=$4
here=$(cd "$(dirname "$0")" && pwd)
pictures=$(realpath "$here/../../resources/windows")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What the uninstaller removes: each installed file, then its folders,
# deepest first.
(cd "$stage" && find . -type f | sort | sed -e 's|^\./||' -e 's|/|\\|g' \
    -e 's|.*|  Delete "$INSTDIR\\&"|'
 cd "$stage" && find . -mindepth 1 -type d | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' \
    -e 's|.*|  RMDir "$INSTDIR\\&"|') >"$work/installed-files.nsh"

makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DSTAGE="$stage" -DICON="$icon" -DPICTURES="$pictures" -DOUTFILE="$(realpath -m "$outfile")" \
    -DINSTALLED_FILES="$work/installed-files.nsh" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
    "$here/orvane.nsi"
