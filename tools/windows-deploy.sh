#!/bin/sh
# Gathers a Windows program with what it loads into one folder: the programs
# and Qt's plugins given, then every library they import, found in the
# search folders, until nothing is missing; all stripped of debugging
# information. Fails on an import that is neither found nor a library of
# Windows itself (tools/windows-system-dlls.txt).
#   windows-deploy.sh FOLDER SEARCH_DIRS(colon-separated) PLUGIN_DIR PROGRAM... -- PLUGIN...
# PLUGIN is a path below PLUGIN_DIR, e.g. platforms/qwindows.dll.
set -eu
stage=$1 search=$2 plugins=$3
shift 3
strip=x86_64-w64-mingw32-strip
system_dlls=$(dirname "$0")/windows-system-dlls.txt

mkdir -p "$stage"
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    $strip -o "$stage/$(basename "$1")" "$1"
    shift
done
[ $# -gt 0 ] && shift
for plugin in "$@"; do
    mkdir -p "$stage/$(dirname "$plugin")"
    $strip -o "$stage/$plugin" "$plugins/$plugin"
done

is_system() { grep -qixF "$1" "$system_dlls" || case $1 in [Aa][Pp][Ii]-[Mm][Ss]-[Ww][Ii][Nn]-*) true ;; *) false ;; esac; }

find_library() {
    old_ifs=$IFS; IFS=:
    for dir in $search; do
        if [ -f "$dir/$1" ]; then IFS=$old_ifs; echo "$dir/$1"; return; fi
    done
    IFS=$old_ifs
    return 1
}

changed=1
while [ $changed = 1 ]; do
    changed=0
    for binary in $(find "$stage" -iname '*.exe' -o -iname '*.dll'); do
        for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
            is_system "$dll" && continue
            [ -f "$stage/$dll" ] && continue
            library=$(find_library "$dll") || { echo "windows-deploy: $(basename "$binary") imports $dll, found nowhere" >&2; exit 1; }
            $strip -o "$stage/$dll" "$library"
            changed=1
        done
    done
done
