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

# build TYPE [CMAKE OPTIONS...]: configures and builds everything in $BUILD_DIR.
build() {
    local type=${1:-Release}
    shift || true
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
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

# What the sanitized build's programs report and when they stop.
sanitizer_environment() {
    # Qt WebEngine's browser engine deletes some of its objects through a base of another size
    # (new-delete-type-mismatch inside libQt6WebEngineCore); ASan cannot suppress that report by
    # library, so the check is off.
    export ASAN_OPTIONS="new_delete_type_mismatch=0:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # A leak suppression matches any frame of the leak's stack, so the file names only libraries
    # whose own allocations leak at exit, never Qt Core or Qt Widgets, which every allocation of
    # ours passes through.
    export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"
}
