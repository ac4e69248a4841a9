#!/bin/sh
# The Windows zip carries everything its programs load: every library that
# an .exe or .dll in it imports is in the zip beside the programs, or is a
# library of Windows itself; and it carries nothing they do not load: every
# library beside the programs is imported by one of them. The programs'
# plugins are in place too.
#   zip_imports_test.sh ZIP SCRATCH
set -eu
zip=$1 scratch=$2
system_dlls=$(dirname "$0")/../../tools/windows-system-dlls.txt
rm -rf "$scratch" && mkdir -p "$scratch"
cd "$scratch"
cmake -E tar xf "$zip"
root=$(find . -mindepth 1 -maxdepth 1 -type d)

failed=0
for plugin in platforms/qwindows.dll platforms/qminimal.dll styles/qwindowsvistastyle.dll; do
    [ -f "$root/$plugin" ] || { echo "missing plugin: $plugin"; failed=1; }
done
for program in orvane.exe orvane-cli.exe README.txt examples/worked-example.txt; do
    [ -f "$root/$program" ] || { echo "missing: $program"; failed=1; }
done

find "$root" -iname '*.exe' -o -iname '*.dll' | sort >binaries.txt
checked=0
: >imported.txt
while read -r binary; do
    checked=$((checked + 1))
    for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        echo "$dll" >>imported.txt
        grep -qixF "$dll" "$system_dlls" && continue
        case $dll in [Aa][Pp][Ii]-[Mm][Ss]-[Ww][Ii][Nn]-*) continue ;; esac
        if ! ls "$root" | grep -qixF "$dll"; then
            echo "$binary imports $dll, which is neither in the zip nor a Windows library"
            failed=1
        fi
    done
done <binaries.txt
for dll in $(ls "$root" | grep -i '\.dll$'); do
    grep -qixF "$dll" imported.txt || { echo "$dll is in the zip but nothing imports it"; failed=1; }
done
echo "$checked programs and libraries checked"
exit $failed
