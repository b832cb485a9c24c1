#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what lies there, then
# starts the installed dock offscreen in a private home: it must come up from
# there, start the notes program from beside itself, and stop when told.
#   install_and_start.sh <build folder> <desktop entry checker>
set -u
build=$1
checker=$2
work=$(mktemp -d)
dock_pid=
notes_pid=
cleanup() {
    [ -n "$dock_pid" ] && kill -KILL "$dock_pid" 2>/dev/null
    # The notes program the installed dock started, should a check fail
    # before it is stopped.
    [ -z "$notes_pid" ] && [ -d "$work/prefix" ] && for p in $(pgrep -x Mirelka); do
        [ "$(readlink "/proc/$p/exe")" = "$work/prefix/bin/Mirelka" ] && notes_pid=$p
    done
    [ -n "$notes_pid" ] && kill -KILL "$notes_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }

for p in Zorvane Mirelka Tandrel; do
    [ -x "$prefix/bin/$p" ] || fail "bin/$p not installed"
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$p.svg" ] || fail "scalable icon of $p"
    [ -f "$prefix/share/icons/hicolor/48x48/apps/$p.png" ] || fail "48x48 icon of $p"
    entry=$prefix/share/applications/$p.desktop
    grep -qx "Exec=$prefix/bin/$p" "$entry" || fail "$entry does not start the installed $p"
    grep -qx "Icon=$p" "$entry" || fail "$entry names another icon"
done
# The add-web-site dialog's web view, loaded from the library folder.
[ -n "$(find "$prefix" -path '*/zorvane/zorvane-webview.so')" ] || fail "web view module not installed"
"$checker" "$prefix"/share/applications/*.desktop || fail "desktop entries"

# A private home, so nothing of the user's is read or written.
home=$work/home
mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"
# The notes switch on: the dock starts its sibling as it comes up.
mkdir -p "$home/config/Zorvane"
printf '[DesktopWidget]\nNote=true\n' >"$home/config/Zorvane/config.ini"
# Only the prefix on PATH besides the system's: nothing of the build is found.
env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" \
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    Zorvane >"$work/dock.log" 2>&1 &
dock_pid=$!

# Up: it has written its icon file and its own folder, and still runs.
for _ in $(seq 1 600); do
    [ -f "$home/config/Zorvane/Zorvane.xml" ] && grep -q '^AppPath=' "$home/config/Zorvane/config.ini" && break
    kill -0 "$dock_pid" 2>/dev/null || break
    sleep 0.1
done
if ! kill -0 "$dock_pid" 2>/dev/null; then
    cat "$work/dock.log"; fail "the installed dock ended at its start"
fi
[ -f "$home/config/Zorvane/Zorvane.xml" ] || { cat "$work/dock.log"; fail "the installed dock did not come up"; }
[ -f "$home/config/Zorvane/config.ini" ] || fail "the installed dock wrote no settings"
# The folder it takes for its own, where autostart points and its siblings lie.
grep -qx "AppPath=$prefix/bin" "$home/config/Zorvane/config.ini" || fail "the dock places itself elsewhere: $(grep AppPath "$home/config/Zorvane/config.ini")"
exe=$(readlink "/proc/$dock_pid/exe")
[ "$exe" = "$prefix/bin/Zorvane" ] || fail "the dock running is $exe"
# The notes program, started from beside the installed dock.
for _ in $(seq 1 100); do
    for p in $(pgrep -x Mirelka); do
        [ "$(readlink "/proc/$p/exe")" = "$prefix/bin/Mirelka" ] && notes_pid=$p
    done
    [ -n "$notes_pid" ] && break
    sleep 0.1
done
[ -n "$notes_pid" ] || { cat "$work/dock.log"; fail "the installed dock did not start the installed notes program"; }
kill -TERM "$notes_pid"
notes_pid=
kill -0 "$dock_pid" 2>/dev/null || { cat "$work/dock.log"; fail "the installed dock ended after its start"; }

kill -TERM "$dock_pid"
for _ in $(seq 1 100); do
    kill -0 "$dock_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$dock_pid" 2>/dev/null && fail "the dock did not stop"
dock_pid=
echo "installed into $prefix, started from there and stopped"
