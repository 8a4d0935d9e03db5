#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a Zorvane .deb into a fresh Debian 12 root and starts the program from it there.
# Usage (as root): packaging/check-package.sh PACKAGE.deb
# The root is made with debootstrap from the Debian mirror of this machine's apt sources. Set
# ZORVANE_CHECK_CACHE to a folder to keep the downloaded packages for the next run.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "Usage: $0 PACKAGE.deb" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "$0 needs root (debootstrap, chroot, mounts)." >&2
    exit 2
fi
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
started=$SECONDS

# The Debian 12 sources apt uses here, as "site suite component" lines.
mapfile -t sources < <(apt-get indextargets \
    --format '$(SITE) $(RELEASE) $(COMPONENT) $(ORIGIN) $(TARGET_OF) $(IDENTIFIER)' |
    awk '$4 == "Debian" && $5 == "deb" && $6 == "Packages" && $2 ~ /^bookworm(-.*)?$/ {print $1, $2, $3}' |
    sort -u)
mirror=""
for line in "${sources[@]}"; do
    read -r site suite _ <<<"$line"
    if [ "$suite" = bookworm ]; then
        mirror=$site
        break
    fi
done
if [ -z "$mirror" ]; then
    echo "No Debian 12 (bookworm) mirror among apt's sources: add one and run apt-get update." >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zorvane-check.XXXXXX")
root=$work/root
# Mounts and processes live in private namespaces that end with the unshare commands below, so
# only the folder is left to remove, even after an interruption.
child=""
stop_child() {
    [ -n "$child" ] || return 0
    # unshare holds back SIGTERM and SIGINT while it waits for its child.
    kill -KILL "$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
}
trap 'stop_child; rm -rf --one-file-system "$work"' EXIT
trap 'exit 130' INT TERM

apt_cache=""
debootstrap_args=(--variant=minbase)
if [ -n "${ZORVANE_CHECK_CACHE:-}" ]; then
    mkdir -p "$ZORVANE_CHECK_CACHE/debootstrap" "$ZORVANE_CHECK_CACHE/apt/partial"
    debootstrap_args+=(--cache-dir="$(realpath "$ZORVANE_CHECK_CACHE/debootstrap")")
    apt_cache=$(realpath "$ZORVANE_CHECK_CACHE/apt")
fi

# Runs "$@" in its own mount and process namespaces. It runs in the background so that a signal
# stops the check at once (bash delays traps until a foreground command ends); the namespaces'
# first process is killed when unshare dies, and every other process with it.
isolated() {
    unshare --mount --propagation private --pid --fork --kill-child "$@" &
    child=$!
    local status=0
    wait "$child" || status=$?
    child=""
    return "$status"
}

echo "== Making a fresh Debian 12 root from $mirror"
mkdir -p "$root"
if ! isolated debootstrap "${debootstrap_args[@]}" bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1; then
    tail -n 30 "$work/debootstrap.log" >&2
    echo "debootstrap failed." >&2
    exit 1
fi
for line in "${sources[@]}"; do
    echo "deb $line"
done >"$root/etc/apt/sources.list"
cp "$deb" "$here/check-start.sh" "$root/tmp/"

in_namespace() {
    local root=$1 package=$2 apt_cache=$3 log=$4 version=$5
    mount -t proc proc "$root/proc"
    mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx"
    [ -z "$apt_cache" ] || mount --bind "$apt_cache" "$root/var/cache/apt/archives"
    in_root() {
        chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
            DEBIAN_FRONTEND=noninteractive "$@"
    }
    # apt's output goes to the log, shown when a step fails.
    apt_in_root() {
        if ! in_root apt-get -q "$@" >>"$log" 2>&1; then
            tail -n 40 "$log" >&2
            echo "apt-get $* failed in the check root." >&2
            return 1
        fi
        grep -E '^[0-9]+ upgraded, ' "$log" | tail -n 1 || true
    }

    echo "== Installing $package with apt-get (without recommended packages)"
    apt_in_root update
    apt_in_root install -y --no-install-recommends "$package"
    local file
    for file in /usr/bin/zorvane /usr/share/applications/io.github.zorvane.Zorvane.desktop \
        /usr/share/icons/hicolor/scalable/apps/io.github.zorvane.Zorvane.svg \
        /usr/share/metainfo/io.github.zorvane.Zorvane.metainfo.xml; do
        if [ ! -f "$root$file" ]; then
            echo "The package did not install $file." >&2
            return 1
        fi
    done
    if in_root ldd /usr/bin/zorvane | grep 'not found'; then
        echo "The package leaves libraries of the program missing." >&2
        return 1
    fi

    local answer
    if ! answer=$(in_root timeout 30 zorvane --version 2>&1) || [[ "$answer" != *" $version" ]]; then
        echo "zorvane --version answered \"$answer\" instead of its version $version." >&2
        return 1
    fi
    echo "zorvane --version: $answer"

    echo "== Installing a virtual display in the root (for the check only)"
    apt_in_root install -y --no-install-recommends xvfb xauth xdotool

    echo "== Starting zorvane from the package on a virtual display"
    in_root xvfb-run -a -s "-screen 0 1280x800x24" sh /tmp/check-start.sh
}
export -f in_namespace
isolated bash -euo pipefail -c 'in_namespace "$@"' _ \
    "$root" "/tmp/$(basename "$deb")" "$apt_cache" "$work/apt.log" "$(dpkg-deb --field "$deb" Version)"
echo "Package check passed in $((SECONDS - started)) s."
