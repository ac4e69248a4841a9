#!/bin/sh
# Runs the Linux and the Windows command-line calculator (the latter under
# Wine) on the same project files and requires the same results:
#   - `--json` of each file: every number the same, to the last digit;
#   - `--save-as` of each file: the same bytes, the save-time line aside.
# Usage: WINEPREFIX=DIR compare-windows-cli.sh LINUX_CLI WINDOWS_EXE FILE...
set -eu
: "${WINEPREFIX:?the Wine prefix to run the Windows calculator in}"
[ $# -ge 3 ] || { echo "usage: $0 LINUX_CLI WINDOWS_EXE FILE..." >&2; exit 2; }
linux=$(realpath "$1")
windows=$(realpath "$2")
shift 2

wine_run=$(realpath "$(dirname "$0")/wine-run.sh")
run_windows() { "$wine_run" "$WINEPREFIX" "$windows" "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# One "key value" line per field of a JSON report (the keys of the
# settlements are unique without their group).
fields() { tr -d '\r{}' <"$1" | tr ',' '\n' | sed -e 's/^"settlement"://' -e 's/"//g' -e 's/:/ /'; }

printf '%-36s %-26s %-24s %-24s %s\n' "file" "value" "Linux" "Windows" ""
for file in "$@"; do
  name=$(basename "$file")
  # The same relative argument for both, so the "file" fields agree too.
  (cd "$(dirname "$file")" && "$linux" --json "$name") >"$work/linux.json"
  (cd "$(dirname "$file")" && run_windows --json "$name") >"$work/windows.json"
  fields "$work/linux.json" >"$work/linux.txt"
  fields "$work/windows.json" >"$work/windows.txt"
  grep -qx 'ok true' "$work/linux.txt" || { echo "$name: the Linux calculator could not read it" >&2; failed=1; }
  paste -d' ' "$work/linux.txt" "$work/windows.txt" | while read -r key a key2 b; do
    [ "$key" = file ] && continue
    verdict=same
    [ "$key" = "$key2" ] && [ "$a" = "$b" ] || verdict=DIFFERENT
    printf '%-36s %-26s %-24s %-24s %s\n' "$name" "$key" "$a" "$b" "$verdict"
  done
  cmp -s "$work/linux.txt" "$work/windows.txt" || failed=1
done

# The save-time line ("保存时间：" in GBK) is the only one allowed to differ.
without_save_time() { LC_ALL=C grep -av "$(printf '\261\243\264\346\312\261\274\344')" "$1"; }
for file in "$@"; do
  name=$(basename "$file")
  source=$(realpath "$file")
  "$linux" --save-as "$work/linux-saved.txt" "$source"
  (cd "$work" && run_windows --save-as windows-saved.txt "$source")
  without_save_time "$work/linux-saved.txt" >"$work/linux-body.txt"
  without_save_time "$work/windows-saved.txt" >"$work/windows-body.txt"
  lines=$(wc -l <"$work/linux-saved.txt")
  if cmp -s "$work/linux-body.txt" "$work/windows-body.txt" && [ "$lines" = "$(wc -l <"$work/windows-saved.txt")" ] &&
     [ "$(wc -l <"$work/linux-body.txt")" = $((lines - 1)) ]; then
    echo "--save-as $name: $(wc -c <"$work/windows-saved.txt") bytes, the same on both but for the save time"
  else
    echo "--save-as $name: the Windows file differs from the Linux file:" >&2
    cmp "$work/linux-body.txt" "$work/windows-body.txt" >&2 || true
    failed=1
  fi
done

[ "$failed" = 0 ] && echo "Windows and Linux agree on every example." || echo "Windows and Linux DIFFER." >&2
exit "$failed"
