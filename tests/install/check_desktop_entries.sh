#!/usr/bin/env bash
# Checks desktop entries: desktop-file-validate finds no error, and each entry
# has a Chinese name and its categories.
#   check_desktop_entries.sh <entry.desktop>...
set -u
status=0
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is not installed (desktop-file-utils)"; exit 1; }
for entry in "$@"; do
    if [ ! -f "$entry" ]; then
        echo "missing: $entry"; status=1; continue
    fi
    # Hints are advice; errors and warnings fail the check.
    out=$(desktop-file-validate --no-hints "$entry" 2>&1)
    if [ $? -ne 0 ] || [ -n "$out" ]; then
        echo "$entry:"; echo "$out"; status=1
    fi
    grep -q '^Name\[zh_CN\]=.' "$entry" || { echo "$entry: no Name[zh_CN]"; status=1; }
    grep -q '^Categories=.*;' "$entry" || { echo "$entry: no Categories"; status=1; }
done
exit $status
