#!/bin/sh
# Prints the package archives of the machine's own apt configuration, one
# line per archive and suite: TYPE URI SUITE COMPONENTS... (e.g. "deb-src
# <uri> <suite> main"). It reads the one-line lists (sources.list and
# sources.list.d/*.list) and the deb822 stanzas (sources.list.d/*.sources),
# leaving out stanzas marked "Enabled: no"; it changes nothing.
#   tools/apt-archives.sh [APT_ETC_FOLDER]     (default /etc/apt)
set -eu
etc=${1:-/etc/apt}

for list in "$etc/sources.list" "$etc"/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$list" |
        awk '$1 == "deb" || $1 == "deb-src" { print }'
done
for stanzas in "$etc"/sources.list.d/*.sources; do
    [ -f "$stanzas" ] || continue
    awk '
        function flush(   t, u, s, nt, nu, ns, i, j, k) {
            if (types != "" && uris != "" && tolower(enabled) != "no") {
                nt = split(types, t, " "); nu = split(uris, u, " "); ns = split(suites, s, " ")
                for (i = 1; i <= nt; i++) for (j = 1; j <= nu; j++) for (k = 1; k <= ns; k++)
                    print t[i], u[j], s[k], components
            }
            types = uris = suites = components = enabled = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        {
            field = tolower($1); sub(/:$/, "", field)
            value = $0; sub(/^[^:]*:[ \t]*/, "", value)
            if (field == "types") types = value
            else if (field == "uris") uris = value
            else if (field == "suites") suites = value
            else if (field == "components") components = value
            else if (field == "enabled") enabled = value
        }
        END { flush() }' "$stanzas"
done
