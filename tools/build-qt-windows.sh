#!/bin/sh
# Builds Qt 6.4.2 for 64-bit Windows with MinGW-w64 (Core, Gui, Widgets, Test,
# Svg, SvgWidgets, Charts; the windows, offscreen and minimal platform
# plugins; the styles; the SVG image format and icon engine), as shared
# libraries, once, into a cache outside the clone. The folder's name carries
# the Qt version and a hash of its configuration, so a change of configuration
# builds a new kit and a second call with the kit present does nothing.
#
#   tools/build-qt-windows.sh            builds the kit if missing, prints its folder
#   tools/build-qt-windows.sh --path     prints the folder the kit belongs in
#   tools/build-qt-windows.sh --archive  packs the built kit as KIT.tar.xz in dist/
#
# Sources: qt6-base from Debian's source archive (a private apt list naming
# the archive of the machine's own apt configuration, whose sources stay
# untouched); Qt SVG and Qt Charts from ../shared/vendor (or
# ORVANE_QT_VENDOR), the same modules at the same tag. Where that folder
# holds the packed kit of this configuration (qt-...-mingw-w64-KEY.tar.xz,
# made by --archive on another machine), it is unpacked instead of built.
set -eu

QT_VERSION=6.4.2
here=$(cd "$(dirname "$0")/.." && pwd)
vendor=${ORVANE_QT_VENDOR:-$here/../shared/vendor}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/orvane
# The configuration of the kit: the name of its folder carries a hash of it.
base_options="-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON"
module_options="-DCMAKE_BUILD_TYPE=Release -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF"
key=$(echo "$QT_VERSION $base_options $module_options" | sha256sum | cut -c1-12)
prefix=$cache/qt-$QT_VERSION-mingw-w64-$key

kit=$(basename "$prefix")
case ${1:-} in
    --path) echo "$prefix"; exit 0 ;;
    --archive)
        [ -f "$prefix/.complete" ] || { echo "qt-windows: no kit in $prefix to pack" >&2; exit 1; }
        mkdir -p "$here/dist"
        tar -C "$cache" -cJf "$here/dist/$kit.tar.xz" "$kit"
        echo "$here/dist/$kit.tar.xz"; exit 0 ;;
esac
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi
if [ -f "$vendor/$kit.tar.xz" ]; then
    echo "qt-windows: unpacking the packed kit $vendor/$kit.tar.xz" >&2
    mkdir -p "$cache"
    tar -C "$cache" -xJf "$vendor/$kit.tar.xz"
    [ -f "$prefix/.complete" ] && { echo "$prefix"; exit 0; }
fi

jobs=$(nproc)
work=$cache/qt-$QT_VERSION-work-$key
mkdir -p "$work"
log() { echo "qt-windows: $*" >&2; }

base_archive=qt6-base_$QT_VERSION+dfsg.orig.tar.xz
base_sha=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
svg_archive=$vendor/qtsvg-everywhere-src-$QT_VERSION.tar.xz
charts_archive=$vendor/qtcharts-everywhere-src-$QT_VERSION.tar.xz

fetch_base() {
    [ -f "$cache/$base_archive" ] && return
    log "fetching Debian's qt6-base source"
    apt_dir=$work/apt
    mkdir -p "$apt_dir/lists/partial"
    # The archive that serves the machine its bookworm packages serves their
    # sources too; the project names no archive of its own.
    archive=$("$here/tools/apt-archives.sh" | awk '$3 == "bookworm" { print $2; exit }')
    [ -n "$archive" ] || { log "no archive of bookworm in the machine's apt configuration"; exit 1; }
    echo "deb-src $archive bookworm main" > "$apt_dir/sources.list"
    set -- -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null \
           -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root
    apt-get "$@" update -qq
    (cd "$apt_dir" && apt-get "$@" source --download-only -qq qt6-base)
    mv "$apt_dir/$base_archive" "$cache/$base_archive"
}

check_sources() {
    echo "$base_sha  $cache/$base_archive" | sha256sum -c --quiet
    for archive in "$svg_archive" "$charts_archive"; do
        if [ ! -f "$archive" ]; then
            log "missing $archive: put Qt's release archive of that module there, or set ORVANE_QT_VENDOR"
            exit 1
        fi
    done
}

unpack() {
    [ -d "$work/$2" ] && return
    log "unpacking $1"
    tar -xf "$1" -C "$work"
}

# Everything the program and its tests do not use is left out (base_options),
# to keep the build short: no network, SQL, XML, D-Bus, OpenGL, printing,
# concurrency or JPEG; the third-party libraries are Qt's own copies,
# whatever the MinGW sysroot holds. Tablet events need the wintab header that
# Debian's repack dropped.
build_base() {
    unpack "$cache/$base_archive" qtbase-everywhere-src-$QT_VERSION
    # shellcheck disable=SC2086
    cmake -S "$work/qtbase-everywhere-src-$QT_VERSION" -B "$work/build-qtbase" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ $base_options
    cmake --build "$work/build-qtbase" --parallel "$jobs"
    cmake --install "$work/build-qtbase"
    copy_runtime
}

# The MinGW runtime the libraries link, beside them, so the kit's bin folder
# is all a Windows program of it needs.
copy_runtime() {
    gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
    for dll in "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" \
               /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll; do
        cp "$dll" "$prefix/bin/"
    done
}

build_module() {
    unpack "$2" "$1-everywhere-src-$QT_VERSION"
    # shellcheck disable=SC2086
    cmake -S "$work/$1-everywhere-src-$QT_VERSION" -B "$work/build-$1" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" $module_options
    cmake --build "$work/build-$1" --parallel "$jobs"
    cmake --install "$work/build-$1"
}

fetch_base
check_sources
build_base
build_module qtsvg "$svg_archive"
build_module qtcharts "$charts_archive"
touch "$prefix/.complete"
rm -rf "$work"
log "Qt $QT_VERSION for Windows in $prefix"
echo "$prefix"
