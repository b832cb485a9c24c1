#!/usr/bin/env bash
# Makes the Debian package from the build and checks what it holds and what it
# asks for. Slow, so it runs only when ZV_PACKAGE_TEST=1 (ctest -L package).
#   check_package.sh <build folder> <desktop entry checker>
set -u
[ "${ZV_PACKAGE_TEST:-}" = 1 ] || { echo "skipped: set ZV_PACKAGE_TEST=1 to make the package"; exit 77; }
build=$1
checker=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/zorvane_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no zorvane_*.deb made"

# The files, and nothing started with the session.
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./|/|' | sort >"$work/files"
arch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
expected=$( {
    cat <<LIST
/usr/bin/Mirelka
/usr/bin/Tandrel
/usr/bin/Zorvane
/usr/lib/$arch/zorvane/zorvane-webview.so
/usr/share/applications/Mirelka.desktop
/usr/share/applications/Tandrel.desktop
/usr/share/applications/Zorvane.desktop
/usr/share/doc/zorvane/changelog.Debian.gz
/usr/share/doc/zorvane/copyright
/usr/share/lintian/overrides/zorvane
/usr/share/man/man1/Mirelka.1.gz
/usr/share/man/man1/Tandrel.1.gz
/usr/share/man/man1/Zorvane.1.gz
/usr/share/metainfo/example.zorvane.Zorvane.metainfo.xml
LIST
    for p in Zorvane Mirelka Tandrel; do
        echo "/usr/share/icons/hicolor/scalable/apps/$p.svg"
        for size in 16 22 24 32 48 64 128 256; do
            echo "/usr/share/icons/hicolor/${size}x${size}/apps/$p.png"
        done
    done
} | sort)
if [ "$(cat "$work/files")" != "$expected" ]; then
    diff <(echo "$expected") "$work/files"
    fail "the package holds other files"
fi

# What it depends on: the linked libraries, and what is only used at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt5widgets5 libqt5xdg3 libkf5windowsystem5 libqt5webenginewidgets5 fonts-noto-cjk fonts-noto-color-emoji \
         qttranslations5-l10n; do
    echo "$depends" | grep -q "\b$p\b" || fail "Depends lacks $p: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = zorvane ] || fail "package name"

# The entries start the installed programs and pass the desktop's checks.
dpkg-deb -x "$deb" "$work/root"
for p in Zorvane Mirelka Tandrel; do
    grep -qx "Exec=/usr/bin/$p" "$work/root/usr/share/applications/$p.desktop" || fail "$p.desktop starts something else"
    file "$work/root/usr/bin/$p" | grep -q "not stripped" && fail "$p is not stripped"
done
"$checker" "$work"/root/usr/share/applications/*.desktop || fail "desktop entries"

# Each icon is drawn at the size its folder names.
for png in "$work"/root/usr/share/icons/hicolor/*x*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    file "$png" | grep -q ", ${size/x/ x }," || fail "$png is not $size: $(file -b "$png")"
done

# The compressed files as Debian makes them: most compressed, no name and no
# time stamp inside (gzip -9n).
for gz in "$work"/root/usr/share/doc/zorvane/changelog.Debian.gz "$work"/root/usr/share/man/man1/*.gz; do
    gzip -t "$gz" || fail "$gz is not gzip"
    [ "$(od -An -tu1 -j3 -N5 "$gz" | tr -s ' ')" = " 0 0 0 0 0" ] || fail "$gz keeps a name or a time stamp"
    [ "$(od -An -tu1 -j8 -N1 "$gz" | tr -d ' ')" = 2 ] || fail "$gz is not compressed with -9"
done
zcat "$work/root/usr/share/doc/zorvane/changelog.Debian.gz" | head -n 1 \
    | grep -q "^zorvane ($(dpkg-deb -f "$deb" Version)) " || fail "the changelog is not for this version"
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$work/root/usr/share/doc/zorvane/copyright" || fail "the copyright file is not machine-readable"
for p in Zorvane Mirelka Tandrel; do
    zcat "$work/root/usr/share/man/man1/$p.1.gz" | grep -q "^$p \\\\- " || fail "$p.1 has no NAME line"
done

# Built with Debian's hardening: relocations read-only and bound at start,
# programs at any address, stack guards, and the checked string and memory
# functions (the dock calls some whose buffers the compiler can size).
for elf in "$work"/root/usr/bin/* "$work"/root/usr/lib/"$arch"/zorvane/*.so; do
    name=${elf#"$work/root"}
    readelf -lW "$elf" | grep -q ' GNU_RELRO ' || fail "$name has no read-only relocations (-z relro)"
    readelf -dW "$elf" | grep -Eq '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' || fail "$name is not bound at start (-z now)"
    nm -D "$elf" | grep -q ' U __stack_chk_fail' || fail "$name has no stack guards"
    readelf -SW "$elf" | grep -Eq ' \.comment | \.note ' && fail "$name keeps a .comment or .note section"
done
for p in Zorvane Mirelka Tandrel; do
    readelf -hW "$work/root/usr/bin/$p" | grep -q 'Type: *DYN' || fail "$p is not position-independent"
done
nm -D "$work/root/usr/bin/Zorvane" | grep -v __stack_chk_fail | grep -q ' U __[a-z0-9_]*_chk' \
    || fail "Zorvane calls no checked functions: built without _FORTIFY_SOURCE"

# Every tag lintian is told to overlook says why, on the lines right above it.
awk '/^#/ { why = 1; next } /^[[:space:]]*$/ { why = 0; next } !why { print; bad = 1 } { why = 0 } END { exit bad }' \
    "$work/root/usr/share/lintian/overrides/zorvane" || fail "a lintian override without its reason"

# No maintainer script: the package starts nothing and needs no ldconfig.
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm; do
    [ -e "$work/control/$script" ] && fail "the package has a $script"
done

# Checked as Debian would, when the tools are installed.
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.xml || fail "appstreamcli validate"
fi
if command -v lintian >/dev/null; then
    lintian --info --display-info "$deb" >"$work/lintian.txt" 2>&1
    cat "$work/lintian.txt"
    grep -q '^[EW]: ' "$work/lintian.txt" && fail "lintian reports errors or warnings"
fi
echo "package $(basename "$deb") holds $(wc -l <"$work/files") files"
