#!/usr/bin/env bash
# Every option a program's --help names is documented in its man page.
# Usage: man-matches-help.sh PROGRAM MANPAGE
set -u
program=$1 page=$2
options=$("$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "no options found in $program --help"; exit 1; }
# The man page writes "-" as "\-".
plain=$(sed 's/\\-/-/g' "$page")
missing=0
for opt in $options; do
  grep -q -- "$opt" <<<"$plain" || { echo "$(basename "$page"): missing $opt"; missing=1; }
done
exit $missing
