#!/usr/bin/env bash
# A rehearsal on a fresh machine: a minimal Debian 12 (debootstrap
# --variant=minbase) in a folder under build/, with HEAD cloned into it,
# runs README's test command there as CI does (root, CI=true), then
# scripts/run.sh, and checks that the main window shows. Packages this
# machine already has cannot hide a missing install step there.
#
# Not part of .ci/run: it downloads a whole system. Run it before resolving
# anything that touches scripts/setup.sh, the scripts or the build.
# TARVELO_ARCH=x86_64 takes the way of a machine that runs no 32-bit
# programs.
#
# It leaves the host as found: it ends every process that runs inside the
# new system (by process id), unmounts what it mounted and removes the
# folder. The bare system, before anything is installed into it, is kept as
# a tarball (build/fresh-machine-bare.tar) for the next run; FRESH_DOWNLOAD=1
# makes it anew.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_ROOT:-$here/build}"
mkdir -p "$build"
build="$(cd "$build" && pwd -P)" # the chroot's processes name their root by its real path
root="$build/fresh-machine"
bare="$build/fresh-machine-bare.tar"
suite=bookworm # Debian 12
bound=180      # seconds for the window to show once the program starts

[ "$(id -u)" = 0 ] || { echo "fresh-machine.sh needs root (debootstrap, chroot, mounts)" >&2; exit 1; }
[ -z "${TARVELO_ARCH:-}" ] || [ "$TARVELO_ARCH" = x86_64 ] || { echo "TARVELO_ARCH=$TARVELO_ARCH: only x86_64 can be chosen" >&2; exit 1; }

# The mirror this machine's apt uses for Debian's main archive.
host_mirror() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && awk '/^URIs:/ { u = $2 } /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == s) { print u; exit } }' s="$suite" "$f"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" { sub(/\[[^]]*\] */, ""); if ($3 == s) print $2 }' s="$suite"
  return 0
}
mirror="$(host_mirror | awk 'NR == 1')"
[ -n "$mirror" ] || { echo "no Debian $suite mirror in this machine's apt sources" >&2; exit 1; }

mounted=()
passed=0 failed=0
step_start=0
step() { step_start=$SECONDS; echo "== $1"; }
verdict() {  # verdict NAME STATUS
  local took=$((SECONDS - step_start))
  if [ "$2" = 0 ]; then passed=$((passed + 1)); echo "== $1: passed in $((took / 60)) min $((took % 60)) s"
  else failed=$((failed + 1)); echo "== $1: FAILED after $((took / 60)) min $((took % 60)) s"; fi
}

# The processes whose root is the new system: everything started in it.
inside() {
  local link pid
  for link in /proc/[0-9]*/root; do
    pid=${link#/proc/}; pid=${pid%/root}
    [ "$(readlink "$link" 2>/dev/null)" = "$root" ] && echo "$pid"
  done
  return 0
}
end_inside() {
  local pids i
  pids="$(inside)"
  [ -z "$pids" ] || kill -TERM $pids 2>/dev/null || true
  for i in $(seq 1 60); do [ -n "$(inside)" ] || return 0; sleep 0.1; done
  pids="$(inside)"
  [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
  for i in $(seq 1 50); do [ -n "$(inside)" ] || return 0; sleep 0.1; done
}
finish() {
  local status=$? i
  set +e
  trap - EXIT INT TERM HUP
  [ -d "$root" ] && end_inside
  # What the run mounted inside (the small file system, FUSE) first, then ours.
  findmnt -rn -o TARGET | grep -F "$root/" | sort -r | while read -r m; do umount "$m" 2>/dev/null || umount -l "$m"; done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    mountpoint -q "${mounted[i]}" && { umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"; }
  done
  if findmnt -rn -o TARGET | grep -qF "$root"; then
    echo "== still mounted under $root: the folder is left" >&2
  else
    rm -rf --one-file-system "$root"
  fi
  exit $status
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

mount_in() {  # mount_in TARGET MOUNT-ARGS...
  mkdir -p "$root$1"
  mount "${@:2}" "$root$1"
  mounted+=("$root$1")
}

# A chroot of a folder left by a killed run would hold what was installed.
if [ -d "$root" ]; then
  echo "== removing $root, left by an earlier run"
  findmnt -rn -o TARGET | grep -F "$root" | sort -r | while read -r m; do umount -l "$m"; done
  rm -rf --one-file-system "$root"
fi

step "a bare Debian 12 from $mirror"
if [ ! -x /usr/sbin/debootstrap ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >/dev/null
fi
mkdir -p "$root"
status=0
if [ -f "$bare" ] && [ "${FRESH_DOWNLOAD:-0}" != 1 ]; then
  tar -xf "$bare" -C "$root" || status=$?
  echo "   (from $bare)"
else
  rm -f "$bare"
  if debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$build/fresh-machine-debootstrap.log" 2>&1; then
    tar -cf "$bare.part" -C "$root" . && mv "$bare.part" "$bare"
  else
    status=$?
    tail -5 "$build/fresh-machine-debootstrap.log"
  fi
fi
verdict "bare system" $status
[ $status = 0 ] || exit 1

# The new system reaches the mirror as this machine does.
cp /etc/resolv.conf "$root/etc/resolv.conf"
for f in /etc/apt/apt.conf.d/*; do
  grep -q '^Acquire::' "$f" 2>/dev/null && cp "$f" "$root/etc/apt/apt.conf.d/"
done
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs -o mode=1777 tarvelo-fresh-shm
# The lock that lets one run at a time hold the processors' idle setting,
# which is the whole machine's.
mount_in /run/lock --bind /run/lock

git clone -q --no-local "$here" "$root/root/tarvelo"
git -C "$root/root/tarvelo" log -1 --format='   HEAD %h %s'
in_new() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CI=true \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    ${TARVELO_ARCH:+TARVELO_ARCH=$TARVELO_ARCH} "$@"
}

step "bash .ci/run on a clean clone, installs included"
status=0
in_new bash -c 'cd /root/tarvelo && bash .ci/run' </dev/null >"$build/fresh-machine-ci.log" 2>&1 || status=$?
sed -n '/^== summary/,$p' "$build/fresh-machine-ci.log"
[ $status = 0 ] || tail -30 "$build/fresh-machine-ci.log"
verdict ".ci/run" $status

step "scripts/run.sh shows the main window"
status=0
in_new bash -c '
  cd /root/tarvelo
  bash scripts/run.sh </dev/null >/tmp/run.log 2>&1 &
  end=$((SECONDS + '"$bound"'))
  until display=$(sed -n "s/^virtual display //p" /tmp/run.log) && [ -n "$display" ] &&
        DISPLAY=$display xdotool search --onlyvisible --name "^Tarvelo   -   " >/dev/null 2>&1; do
    kill -0 $! 2>/dev/null || { echo "scripts/run.sh ended:"; tail -5 /tmp/run.log; exit 1; }
    [ $SECONDS -lt $end ] || { echo "no window within '"$bound"' s:"; tail -5 /tmp/run.log; exit 1; }
    sleep 0.2
  done
  DISPLAY=$display import -window root /tmp/window.png
  echo "   the window shows on $display"' </dev/null || status=$?
[ ! -f "$root/tmp/window.png" ] || cp "$root/tmp/window.png" "$build/fresh-machine-window.png"
verdict "window" $status

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
