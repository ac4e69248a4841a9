#!/bin/sh
# The Debian package as a user receives it: it builds, it carries every file
# of the installation, its dependencies come from the binaries, the
# calculator in it computes the packaged worked example right, its metainfo
# and desktop entry validate, and a file manager offers Orvane for project
# files and not for other text files.
#   package_test.sh CPACK CPACK_CONFIG VERSION
set -eu
cpack=$1
config=$2
version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
expect_line() {  # expect_line FILE LINE WHAT
    grep -qxF -- "$2" "$1" || fail "$3: no line '$2' in: $(cat "$1")"
}

"$cpack" --config "$config" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$scratch/cpack.log")"
deb="$scratch/out/orvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb among: $(ls "$scratch/out")"

dpkg-deb -c "$deb" | awk '{print $6}' >"$scratch/contents"
for file in bin/orvane bin/orvane-cli \
    share/applications/orvane.desktop share/mime/packages/orvane.xml \
    share/metainfo/com.velmora.orvane.metainfo.xml share/man/man1/orvane-cli.1.gz \
    share/icons/hicolor/16x16/apps/orvane.png share/icons/hicolor/32x32/apps/orvane.png \
    share/icons/hicolor/48x48/apps/orvane.png share/icons/hicolor/256x256/apps/orvane.png \
    share/icons/hicolor/scalable/apps/orvane.svg \
    share/doc/orvane/examples/worked-example.txt \
    share/doc/orvane/examples/expressway-triangular-grid.txt \
    share/doc/orvane/examples/county-road-rectangular-grid.txt; do
    expect_line "$scratch/contents" "./usr/$file" "package contents"
done

dpkg-deb -f "$deb" Version >"$scratch/version"
expect_line "$scratch/version" "$version" "package version"
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$scratch/depends"
expect_line "$scratch/depends" libqt6widgets6 "dependencies from the binaries"
expect_line "$scratch/depends" libc6 "dependencies from the binaries"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/orvane-cli" --version >"$scratch/cli-version"
expect_line "$scratch/cli-version" "orvane-cli $version" "orvane-cli --version"
"$root/usr/bin/orvane-cli" "$root/usr/share/doc/orvane/examples/worked-example.txt" >"$scratch/results"
expect_line "$scratch/results" "单桩承载力特征值：275.48 kN" "worked example"
expect_line "$scratch/results" "复合地基承载力特征值：126.58 kPa" "worked example"
expect_line "$scratch/results" "沉降值：71.12 mm" "worked example"

appstreamcli validate --no-net "$root/usr/share/metainfo/com.velmora.orvane.metainfo.xml" ||
    fail "metainfo"
desktop-file-validate "$root/usr/share/applications/orvane.desktop" || fail "desktop entry"

# What the package's triggers do on installation, then what a file manager
# asks of the desktop: the type of each file and the programs for that type.
update-mime-database "$root/usr/share/mime"
update-desktop-database "$root/usr/share/applications"
printf 'notes\n' >"$scratch/notes.txt"
desktop() {
    env LC_ALL=C.UTF-8 PATH="$root/usr/bin:$PATH" XDG_DATA_HOME="$scratch/home" \
        XDG_DATA_DIRS="$root/usr/share:/usr/share" "$@"
}
type_of() {
    desktop gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'
}
[ "$(type_of "$root/usr/share/doc/orvane/examples/worked-example.txt")" = application/x-orvane-project ] ||
    fail "a project file is not recognised"
[ "$(type_of "$scratch/notes.txt")" = text/plain ] || fail "another text file is taken for a project"
desktop gio mime application/x-orvane-project | grep -q '^Default application.*orvane\.desktop' ||
    fail "Orvane does not open project files"
if desktop gio mime text/plain | grep -q orvane; then
    fail "Orvane claims every text file"
fi
echo "package $(basename "$deb"): 1 passed, 0 failed"
