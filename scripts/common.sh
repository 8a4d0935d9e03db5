# Shared by the scripts: install what is missing, then configure and build.
# shellcheck shell=bash
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${ZORVANE_BUILD_DIR:-$ROOT/build}

install_deps() {
    local missing=()
    local pkg
    while read -r pkg; do
        case "$pkg" in ''|'#'*) continue ;; esac
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done < "$ROOT/scripts/deps"
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    local type=${1:-Release}
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$type"
    cmake --build "$BUILD_DIR" --parallel
}

# Runs "$@" on the existing display, or on a virtual one when there is none.
with_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        "$@"
    else
        echo "No display found: running on a virtual X display (Xvfb)."
        xvfb-run -a -s "-screen 0 1280x800x24" "$@"
    fi
}
