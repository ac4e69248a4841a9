#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build's own:
#   wine-run.sh PREFIX PROGRAM [ARGUMENT...]
# The prefix is made once, under a lock, before any program runs in it: two
# Wine processes that start the same new prefix at once can fail. Wine names
# Unix files in the charset of the Unix locale; under C (no LANG) it cannot
# store a Chinese file name at all, so the programs run in C.UTF-8 whatever
# the caller's locale. No menu entries or file types of the programs leak
# into the Linux desktop. Headless unless ORVANE_WINE_WINDOWS is set: Wine 8
# creates no window without an X display, not even the hidden ones Qt's
# event loop needs, so programs with windows (offscreen or not) run on the
# display in DISPLAY, a virtual one on a machine without.
set -eu
prefix=$1
shift
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
# A prefix's desktop has or lacks a display for its whole session: programs
# with windows get a prefix of their own beside the headless one.
if [ -n "${ORVANE_WINE_WINDOWS:-}" ]; then
    prefix=$prefix-windows
    export WINEPREFIX="$prefix"
else
    unset DISPLAY
fi
# Wine hands no QT_ variable to Windows programs, only WINEQT_ ones renamed;
# and Qt on Windows, seeing no console, would send its messages and QtTest's
# results to the debugger instead of the output.
export QT_FORCE_STDERR_LOGGING=1
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done
mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
        "$wine" wineboot -i >/dev/null 2>&1
        "$wineserver" -w
    fi
) 9>"$prefix.lock"
# Wine's services and desktop process, started by whichever program first
# needs them, inherit its standard error: they would hold a test's output
# pipe (and the test runner waiting on it), or a file the program's own
# children write, open long after the program ends. They are started here
# on nothing (a second call finds them running; ORVANE_WINE_BOOTED skips the
# call where the caller knows), and the program writes to files that are
# passed on when it ends.
[ -n "${ORVANE_WINE_BOOTED:-}" ] || "$wine" wineboot </dev/null >/dev/null 2>&1
output=$(mktemp) errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
"$wine" "$@" >"$output" 2>"$errors" || status=$?
cat "$output"
cat "$errors" >&2
exit $status
