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

# The logging topics as the sources declare them: each is named in the page
# of its program (zorvane.* in Zorvane.1, ...). The programs keep debug
# messages off (every topic shows from QtInfoMsg up), so a page tells how to
# switch them on, never how to silence them.
topics=$(grep -rhoE 'Q_LOGGING_CATEGORY\([A-Za-z]+, *"[a-z.]+", *[A-Za-z]+\)' "$src/common" "$src/platform")
[ -n "$topics" ] || fail "found no logging topic in the sources"
echo "$topics" | grep -qv 'QtInfoMsg)$' && fail "a logging topic shows debug messages by default; the manual pages say they are off"
for t in $(echo "$topics" | sed -E 's/.*"([a-z.]+)".*/\1/'); do
    page=$src/resources/man/$(echo "${t%%.*}" | sed 's/./\u&/').1
    grep -qF "$t" "$page" || fail "$(basename "$page") does not name the logging topic $t"
done
for p in Zorvane Mirelka Tandrel; do
    grep -q 'debug=true' "$src/resources/man/$p.1" || fail "$p.1 does not say how to switch on debug messages"
    grep -q 'debug=false' "$src/resources/man/$p.1" && fail "$p.1 tells how to silence debug messages, which are off"
done
echo "manual pages: $(echo $read_in_code | wc -w) variables explained, $(echo "$topics" | wc -l) logging topics named"
