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
expected=$(cat <<'LIST' | sort
/usr/bin/Mirelka
/usr/bin/Tandrel
/usr/bin/Zorvane
/usr/lib/zorvane/zorvane-webview.so
/usr/share/applications/Mirelka.desktop
/usr/share/applications/Tandrel.desktop
/usr/share/applications/Zorvane.desktop
/usr/share/icons/hicolor/48x48/apps/Mirelka.png
/usr/share/icons/hicolor/48x48/apps/Tandrel.png
/usr/share/icons/hicolor/48x48/apps/Zorvane.png
/usr/share/icons/hicolor/scalable/apps/Mirelka.svg
/usr/share/icons/hicolor/scalable/apps/Tandrel.svg
/usr/share/icons/hicolor/scalable/apps/Zorvane.svg
LIST
)
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
echo "package $(basename "$deb") holds $(wc -l <"$work/files") files"
