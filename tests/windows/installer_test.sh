#!/bin/sh
# The installer under Wine, in a new prefix of its own: a silent install into
# Program Files, the installed calculator computing the worked example as the
# Linux one does and writing the same report, the Start-menu entry pointing at the installed program, the
# uninstaller listed with the version, and a silent uninstall that leaves
# nothing behind.
#   installer_test.sh SETUP_EXE VERSION LINUX_CLI EXAMPLE SCRATCH
set -eu
setup=$(realpath "$1") version=$2 linux_cli=$(realpath "$3") example=$(realpath "$4") scratch=$5
wine_run=$(realpath "$(dirname "$0")/../../tools/wine-run.sh")
rm -rf "$scratch" && mkdir -p "$scratch"
prefix=$(realpath "$scratch")/prefix
failed=0
fail() { echo "FAIL: $*"; failed=1; }
in_prefix() { "$wine_run" "$prefix" "$@"; }
settle() { WINEPREFIX=$prefix "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -w; }

installed="$prefix/drive_c/Program Files/Orvane"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvane"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane'

strings -el "$setup" | grep -qx "$version" || fail "the installer's properties do not carry version $version"

in_prefix "$setup" /S
settle
for file in orvane.exe orvane-cli.exe uninstall.exe README.txt platforms/qwindows.dll examples/worked-example.txt; do
    [ -f "$installed/$file" ] || fail "not installed: $file"
done

(cd "$(dirname "$example")" && "$linux_cli" --json "$(basename "$example")") >"$scratch/linux.json"
(cd "$(dirname "$example")" && in_prefix 'C:\Program Files\Orvane\orvane-cli.exe' --json "$(basename "$example")") |
    tr -d '\r' >"$scratch/windows.json"
cmp -s "$scratch/linux.json" "$scratch/windows.json" || fail "the installed calculator's results differ: $(cat "$scratch/windows.json")"

# Its PDF report, in the face the program ships: the same fonts and pages
# as the Linux one's, and the same text,
# but for where lines and words break, and for the chart's labels, whose
# 力 the Chinese faces Wine offers map back to the Kangxi radical ⼒ (the
# same glyph): compared in Unicode's compatibility form.
# The words are taken in the order they are drawn (-raw): where the faces'
# widths differ, the labels of the drawing sit elsewhere on the page.
words() {
    pdftotext -raw "$1" - | tr -d '[:space:]' |
        python3 -c 'import sys, unicodedata; print(unicodedata.normalize("NFKC", sys.stdin.read()))' | fold -w 60
}
"$linux_cli" --report "$scratch/linux.pdf" "$example"
in_prefix 'C:\Program Files\Orvane\orvane-cli.exe' --report "$(printf 'Z:%s' "$scratch/windows.pdf" | tr / '\\')" \
    "$(printf 'Z:%s' "$example" | tr / '\\')"
if [ ! -f "$scratch/windows.pdf" ]; then
    fail "the installed calculator wrote no report"
else
    words "$scratch/linux.pdf" >"$scratch/linux.words"
    words "$scratch/windows.pdf" >"$scratch/windows.words"
    cmp -s "$scratch/linux.words" "$scratch/windows.words" ||
        fail "the report's words differ: $(diff "$scratch/linux.words" "$scratch/windows.words" | head -5)"
    for system in linux windows; do
        # Qt's Windows font engine names the embedded face by its family with
        # its style and weight appended ("-0-400"), where FreeType gives the
        # face's own PostScript name: the same face either way.
        pdffonts "$scratch/$system.pdf" | tail -n +3 | awk '{print $1}' | sed -E 's/-[0-9]+-[0-9]+$//' |
            sort >"$scratch/$system.fonts"
        pdfinfo "$scratch/$system.pdf" | sed -n 's/^Pages: *//p' >"$scratch/$system.pages"
    done
    cmp -s "$scratch/linux.fonts" "$scratch/windows.fonts" ||
        fail "the report's fonts differ: $(tr '\n' ' ' <"$scratch/windows.fonts") against $(tr '\n' ' ' <"$scratch/linux.fonts")"
    cmp -s "$scratch/linux.pages" "$scratch/windows.pages" ||
        fail "the report has $(cat "$scratch/windows.pages") pages against $(cat "$scratch/linux.pages")"
fi

[ -f "$menu/Orvane.lnk" ] || fail "no Start-menu entry"
# The link's target, as its LinkInfo names it.
strings -a "$menu/Orvane.lnk" | grep -qxF 'C:\Program Files\Orvane\orvane.exe' ||
    fail "the Start-menu entry does not point at C:\Program Files\Orvane\orvane.exe"
in_prefix reg query "$key" /v DisplayVersion | grep -q "$version" || fail "no uninstaller listed with version $version"

in_prefix 'C:\Program Files\Orvane\uninstall.exe' /S
settle
[ ! -e "$installed" ] || fail "left behind: $(find "$installed" | head -5)"
[ ! -e "$menu" ] || fail "Start-menu folder left behind"
if in_prefix reg query "$key" >/dev/null 2>&1; then fail "uninstaller still listed"; fi

[ $failed = 0 ] && echo "installed, computed, uninstalled: nothing left"
exit $failed
