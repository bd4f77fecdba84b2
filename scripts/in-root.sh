#!/usr/bin/env bash
# Runs a command as root inside a Debian root folder (made by debootstrap or
# mmdebstrap, or / itself), in namespaces of its own:
#
#   scripts/in-root.sh [--throwaway] [--offline] [--bind DIR]... ROOT COMMAND...
#
#   --throwaway  every change the command makes to the root is kept in memory
#                and dropped at the end: the root folder stays as it was
#                (with ROOT /, a throwaway copy of this machine's root file
#                system)
#   --offline    no network, and no reaching the display servers or buses of
#                this machine: the root has its own loopback only
#   --bind DIR   folder DIR of this machine appears at the same path inside
#
# The command gets a fresh /proc, /dev, /tmp, /run and /dev/shm, a clean
# environment (PATH, HOME, LANG=C.UTF-8, CI and the ANGOLI_* variables) and
# ANGOLI_IN_ROOT=1. It is the only process of its PID namespace besides the
# init here, which waits for it: whatever it leaves running is named, ended by
# its PID and fails the run. The mounts live in a mount namespace of the run
# only, are undone at the end, and nothing outside ROOT is written (nothing at
# all with --throwaway). The exit status is the command's.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then exec sudo -- bash "$0" "$@"; fi
arguments=("$@")
throwaway="" offline="" binds=()
while [[ $# -gt 0 && "$1" == --* ]]; do
  case "$1" in
    --throwaway) throwaway=1 ;;
    --offline) offline=1 ;;
    --bind) binds+=("$(realpath "$2")"); shift ;;
    *) echo "in-root: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[[ $# -ge 2 ]] || { echo "usage: in-root.sh [--throwaway] [--offline] [--bind DIR]... ROOT COMMAND..." >&2; exit 2; }
root=$(realpath "$1")
shift
[[ -x "$root/usr/bin/env" ]] || { echo "in-root: $root holds no Debian root" >&2; exit 2; }
[[ "$root" != / || -n "$throwaway" ]] || { echo "in-root: / only as a throwaway" >&2; exit 2; }

if [[ -z "${_ANGOLI_ROOT_INIT:-}" ]]; then
  # A PID namespace whose first process is this script again, in a mount
  # namespace of its own; if unshare goes, the kernel ends them all.
  _ANGOLI_ROOT_INIT=1 exec unshare --mount --propagation private --pid --fork --kill-child \
    ${offline:+--net} -- bash "$0" "${arguments[@]}"
fi

# From here on this is PID 1 of the namespace.
if [[ -z "$throwaway" ]]; then
  # A mount point, as / is: in-root.sh can then be used again inside.
  mount --bind "$root" "$root"
else
  # The root as the lower layer of an overlay whose upper layer is memory.
  # /mnt is only covered in this mount namespace.
  mount -t tmpfs -o mode=0755 angoli-layers /mnt
  mkdir /mnt/upper /mnt/work /mnt/root
  mount -t overlay -o "lowerdir=$root,upperdir=/mnt/upper,workdir=/mnt/work" angoli-root /mnt/root
  root=/mnt/root
fi
[[ -z "$offline" ]] || ip link set lo up 2>/dev/null || true

mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount -t tmpfs -o mode=0755 angoli-dev "$root/dev"
for node in null zero full random urandom tty; do
  : >"$root/dev/$node"
  mount --bind "/dev/$node" "$root/dev/$node"
done
mkdir "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
ln -s pts/ptmx "$root/dev/ptmx"
ln -s /proc/self/fd "$root/dev/fd"
ln -s /proc/self/fd/0 "$root/dev/stdin"
ln -s /proc/self/fd/1 "$root/dev/stdout"
ln -s /proc/self/fd/2 "$root/dev/stderr"
mount -t tmpfs -o mode=1777 angoli-shm "$root/dev/shm"
mount -t tmpfs -o mode=1777 angoli-tmp "$root/tmp"
mount -t tmpfs -o mode=0755 angoli-run "$root/run"
mkdir -m 1777 "$root/run/lock"
if [[ -z "$offline" && -f /etc/resolv.conf && "$root" != / ]]; then
  [[ -e "$root/etc/resolv.conf" && ! -L "$root/etc/resolv.conf" ]] || { rm -f "$root/etc/resolv.conf"; : >"$root/etc/resolv.conf"; }
  mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
fi
for dir in "${binds[@]}"; do
  mkdir -p "$root$dir"
  mount --bind "$dir" "$root$dir"
done

environment=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
             LANG=C.UTF-8 ANGOLI_IN_ROOT=1)
[[ -z "${CI:-}" ]] || environment+=("CI=$CI")
while IFS='=' read -r name _; do
  [[ "$name" == _ANGOLI_ROOT_INIT ]] || environment+=("$name=${!name}")
done < <(env | grep -E '^ANGOLI_[A-Z0-9_]*=' || true)

chroot "$root" /usr/bin/env -i "${environment[@]}" "$@" &
command_pid=$!
status=0
wait "$command_pid" || status=$?

# Whatever the command left: named, ended by PID, and a failure. The list is
# taken first, so that the readers started below are not on it.
left=("$root"/proc/[0-9]*)
for entry in "${left[@]}"; do
  pid=${entry#"$root"/proc/}
  [[ "$pid" != 1 ]] || continue
  [[ -r "$entry/cmdline" ]] || continue
  what=$(tr '\0' ' ' <"$entry/cmdline" 2>/dev/null || true)
  [[ -n "$what" ]] || continue
  echo "in-root: still running after the command, ended: $pid $what" >&2
  kill -KILL "$pid" 2>/dev/null || true
  [[ $status -ne 0 ]] || status=1
done
wait 2>/dev/null || true

# Everything mounted here lies under the root (or /mnt): undone in one go.
if [[ -n "$throwaway" ]]; then umount -R /mnt; else umount -R "$root"; fi
exit "$status"
