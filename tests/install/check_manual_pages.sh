#!/usr/bin/env bash
# The manual pages render without a warning, have the sections a reader
# looks for, and name exactly the environment variables of our own that the
# programs read (ZV_..., ZORVANE_...), so that neither drifts from the other.
#   check_manual_pages.sh <source folder>
set -u
src=$1
fail() { echo "FAIL: $*"; exit 1; }
command -v groff >/dev/null || fail "groff is not installed (Debian: groff-base)"

for p in Zorvane Mirelka Tandrel; do
    page=$src/resources/man/$p.1
    [ -f "$page" ] || fail "no manual page $p.1"
    warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -K utf-8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$p.1 does not render cleanly: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION FILES ENVIRONMENT "SEE ALSO"; do
        grep -q "^\.SH \"\?$section\"\?$" "$page" || fail "$p.1 has no $section section"
    done
done

# Our variables as the programs' sources spell them, and as the pages do.
read_in_code=$(grep -rhoE --include='*.cpp' --include='*.h' '"(ZV|ZORVANE)_[A-Z0-9_]+"' \
                   "$src/dock" "$src/common" "$src/platform" "$src/notes" "$src/picker" | tr -d '"' | sort -u)
[ -n "$read_in_code" ] || fail "found no variable in the sources"
named_in_pages=$(grep -hoE '\b(ZV|ZORVANE)_[A-Z0-9_]+' "$src"/resources/man/*.1 | sort -u)
environment=$(sed -n '/^\.SH ENVIRONMENT/,/^\.SH /p' "$src/resources/man/Zorvane.1")
for v in $read_in_code; do
    echo "$environment" | grep -q "^\.B[RI]* .*\b$v\b" || fail "Zorvane.1 does not explain $v under ENVIRONMENT"
done
for v in $named_in_pages; do
    echo "$read_in_code" | grep -qx "$v" || fail "the manual pages name $v, which no program reads"
done
echo "manual pages: $(echo $read_in_code | wc -w) variables explained"
