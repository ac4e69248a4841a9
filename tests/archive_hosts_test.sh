#!/bin/sh
# The project names no package archive: fails when a host of the machine's
# apt configuration (any address in its lists, stanzas or their comments,
# disabled files included) appears in a tracked file of the tree.
#   archive_hosts_test.sh SOURCE_DIR [APT_ETC_FOLDER]
# Exits 77 (skipped) outside a git checkout or without an apt configuration.
set -eu
tree=$1
etc=${2:-/etc/apt}

git -C "$tree" rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git checkout"; exit 77; }
hosts=$(find "$etc/sources.list" "$etc/sources.list.d" -type f 2>/dev/null |
    xargs -r cat | grep -oE '[a-zA-Z][a-zA-Z0-9+.-]*://[^/[:space:]"]+' |
    sed -e 's#^.*://##' -e 's#^.*@##' -e 's#:[0-9]*$##' | sort -u)
[ -n "$hosts" ] || { echo "no apt configuration in $etc"; exit 77; }

found=0
for host in $hosts; do
    if git -C "$tree" grep -I -l -F -i -e "$host" >/dev/null; then
        echo "FAIL: an archive host of the apt configuration is named in: $(git -C "$tree" grep -I -l -F -i -e "$host" | tr '\n' ' ')" >&2
        found=1
    fi
done
exit $found
