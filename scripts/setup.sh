#!/usr/bin/env bash
# Installs what this project needs on Debian 12, builds it, then runs the dock
# ("run") or all tests ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
build=${BUILD_DIR:-build}

packages=(
    cmake g++ make pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libqt5x11extras5-dev
    libqt5xdg-dev libkf5windowsystem-dev qtwebengine5-dev
    zlib1g-dev libglib2.0-dev libxcb1-dev libxcb-shape0-dev libxcb-xtest0-dev libx11-dev
    qt5-image-formats-plugins fonts-noto-cjk fonts-noto-color-emoji qttranslations5-l10n
    xvfb xauth xdotool xclip desktop-file-utils dbus-daemon openbox fluxbox xcompmgr dpkg-dev file groff-base
    clang libclang-rt-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The tests include a short run of each fuzzer, built with clang.
options=()
[ "$mode" = test ] && options+=(-DZV_FUZZ=ON)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build "$build" -j"$(nproc)"

case "$mode" in
run)
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}
    exec "$build/bin/Zorvane"
    ;;
test)
    cd "$build"
    # Tests that need a real X server start their own Xvfb (and openbox or fluxbox).
    ctest --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
