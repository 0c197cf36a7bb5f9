# Sourced by tools/check-package and tools/check-fresh, which set $here (the project folder): a throw-away
# Debian 12 (bookworm) minbase root made by debootstrap in a fresh folder under /tmp, and removed again
# however the script ends (checks passed or failed, an error, Ctrl-C, a kill). QIANYAN_MIRROR and
# QIANYAN_SECURITY_MIRROR name other Debian mirrors.
#
#   require_root            ends the script unless it runs as root
#   make_debian_root NAME   makes /tmp/NAME.XXXXXX/root with apt sources and /proc, /dev/pts and /dev/shm
#                           mounted; sets $work (the folder, also for logs) and $root
#   in_root COMMAND ...     runs a command inside the root as root, with a clean environment
#   waited COMMAND ...      runs a long command so that an interrupt ends it and the script at once (bash
#                           runs a trap only when the command in the foreground has ended)
#   say TEXT                prints TEXT with the seconds since the script started
mirror="${QIANYAN_MIRROR:-http://deb.debian.org/debian}"
security="${QIANYAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}"
started=$SECONDS
say() { printf '[%3ds] %s\n' $((SECONDS - started)) "$*"; }

waited() {
  "$@" &
  waited_for=$!
  local status=0
  wait "$waited_for" || status=$?
  waited_for=
  return "$status"
}

# Ends the processes that still run inside the root (a step cut short by an interrupt), by their ids.
end_processes_in_root() {
  local signal p pids
  for signal in TERM KILL; do
    pids=()
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && pids+=("${p#/proc/}")
    done
    [ ${#pids[@]} -gt 0 ] || return 0
    kill -s "$signal" "${pids[@]}" 2>/dev/null || true
    sleep 2
  done
}

# Unmounts whatever is mounted inside the root, innermost first, before removing it; a mount that will not
# go keeps the root on disk rather than risk removing what it shows.
remove_work() {
  [ -n "${work:-}" ] || return 0
  [ -z "${waited_for:-}" ] || kill "$waited_for" 2>/dev/null || true
  end_processes_in_root
  local mounts
  mapfile -t mounts < <(awk -v work="$work" 'index($2, work "/") == 1 { print $2 }' /proc/mounts | sort -r)
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null || umount -l "$m" || true; done
  if awk -v work="$work" 'index($2, work "/") == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    echo "left $work in place: something is still mounted in it" >&2
    return
  fi
  rm -rf --one-file-system "$work"
}

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

require_root() {
  [ "$(id -u)" -eq 0 ] || { echo "$(basename "$0") needs root (debootstrap, chroot, mount)" >&2; exit 1; }
}

make_debian_root() {
  # shellcheck disable=SC2154 # $here is set by the script that sources this file
  "$here/tools/install-deps" debootstrap
  work="$(mktemp -d "/tmp/$1.XXXXXX")"
  root="$work/root"
  trap remove_work EXIT
  trap 'exit 130' INT TERM HUP
  chmod 755 "$work" # apt downloads as the user _apt
  say "making a Debian 12 root in $root from $mirror"
  waited debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log" >&2
    exit 1
  }
  cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
  mount -t proc proc "$root/proc"
  mount -t devpts -o newinstance devpts "$root/dev/pts"
  mkdir -p "$root/dev/shm"
  mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
}
