#!/usr/bin/env bash
# The VM test: boots Debian's kernel in QEMU (software emulation) with three emulated IDE
# CD drives (sr0: a CD-sized image, sr1: empty, sr2: a DVD-sized image) and a minimal
# initramfs holding busybox, the SCSI/ATAPI CD modules and the static test programs; the
# guest runs quillrate-cli and the checker as root and as two unprivileged users and hands
# their outputs back on its second serial port. This script then checks them: the drive
# list, the reports, the command filter, and that the capture made in the guest replays to
# the same report here.
#
# run_vm_test.sh --cli-static FILE --checker FILE --cli FILE --work DIR --cache DIR
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
readonly here
# The guest powers itself off after 15-25 s; QEMU is killed if it is still running then.
readonly boot_bound_seconds=300

while (($# > 0)); do
  case "$1" in
    --cli-static) cli_static="$2" ;;
    --checker) checker="$2" ;;
    --cli) cli="$2" ;;
    --work) work="$2" ;;
    --cache) cache="$2" ;;
    *) echo "run_vm_test.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
: "${cli_static:?--cli-static missing}" "${checker:?--checker missing}" "${cli:?--cli missing}"
: "${work:?--work missing}" "${cache:?--cache missing}"
cache="${QUILLRATE_VM_CACHE:-$cache}"

fail() {
  echo "VM test: $*" >&2
  exit 1
}

# Without the tools or a kernel to boot the test cannot run: ctest counts status 77 as skipped
# (SKIP_RETURN_CODE in tests/vm/CMakeLists.txt).
readonly skip_status=77
skip_no_kernel() {
  echo "VM test: skipped: no kernel image ($*)"
  exit "$skip_status"
}

# --- Tools -----------------------------------------------------------------------------
missing=()
for tool in qemu-system-x86_64 cpio gzip xz dpkg-deb apt-get apt-cache base64 tar timeout; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
# The dynamic busybox cannot run in an initramfs without a C library.
if ! dpkg-query -W -f='${Status}' busybox-static 2>/dev/null | grep -q "install ok installed"; then
  missing+=("busybox-static")
fi
if ((${#missing[@]} > 0)); then
  echo "VM test: skipped: missing ${missing[*]}: run scripts/setup (it installs" \
       "qemu-system-x86, busybox-static, cpio and xz-utils)"
  exit "$skip_status"
fi

# --- Kernel: Debian's current one, unpacked once into the cache --------------------------
# The modules an emulated IDE CD drive needs, with their sg nodes; dependencies follow.
readonly wanted_modules=(ata_piix sr_mod sg)

kernel_package() {
  # Without package lists apt-cache fails: then there is no name, and the cache decides.
  { apt-cache depends linux-image-amd64 2>/dev/null || true; } |
    sed -n 's/^ *Depends: \(linux-image-[0-9][^ ]*-amd64\)$/\1/p' | head -n 1
}

# Copies the modules in `wanted_modules` and everything they depend on, decompressed, into
# $2, and writes their load order to $2/load-order.
collect_modules() {
  local tree="$1" dest="$2"
  local -A path_of=() done_modules=()
  local file name
  while IFS= read -r file; do
    name="$(basename "$file")"
    name="${name%%.ko*}"
    path_of["${name//-/_}"]="$file"
  done < <(find "$tree" -name '*.ko' -o -name '*.ko.xz')
  mkdir -p "$dest"
  : >"$dest/load-order"
  add_module() {
    local module="$1" source deps dep
    [[ -n "${done_modules[$module]:-}" ]] && return 0
    done_modules[$module]=1
    source="${path_of[$module]:-}"
    if [[ -z "$source" ]]; then
      # Built into this kernel: nothing to load.
      grep -Eq "/${module//_/[_-]}\.ko" "$tree/../modules.builtin" && return 0
      fail "kernel module $module not found in the kernel package"
    fi
    if [[ "$source" == *.xz ]]; then
      xz -dc "$source" >"$dest/$module.ko"
    else
      cp "$source" "$dest/$module.ko"
    fi
    deps="$(tr '\0' '\n' <"$dest/$module.ko" | sed -n 's/^depends=//p' | head -n 1 | tr ',' ' ')"
    for dep in $deps; do add_module "${dep//-/_}"; done
    echo "$module" >>"$dest/load-order"
  }
  for name in "${wanted_modules[@]}"; do add_module "$name"; done
}

prepare_kernel() {
  local package="$1" dir="$cache/$1"
  [[ -f "$dir/complete" ]] && return 0
  echo "VM test: fetching $package into $cache"
  rm -rf "$dir" "$cache/unpack"
  mkdir -p "$cache/unpack"
  (cd "$cache/unpack" && apt-get download -q -o APT::Sandbox::User=root "$package" >download.log 2>&1) ||
    skip_no_kernel "apt-get download $package failed: $(tail -n 1 "$cache/unpack/download.log")"
  dpkg-deb -x "$cache/unpack/$package"_*.deb "$cache/unpack/root"
  local version="${package#linux-image-}"
  mkdir -p "$dir"
  cp "$cache/unpack/root/boot/vmlinuz-$version" "$dir/vmlinuz"
  collect_modules "$cache/unpack/root/lib/modules/$version/kernel" "$dir/modules"
  rm -rf "$cache/unpack"
  touch "$dir/complete"
}

package="$(kernel_package)"
if [[ -z "$package" && "$(id -u)" -eq 0 ]]; then
  apt-get update -qq >/dev/null 2>&1 || true
  package="$(kernel_package)"
fi
if [[ -z "$package" ]]; then
  # No package lists: any kernel unpacked before will do.
  package="$(find "$cache" -mindepth 2 -maxdepth 2 -name complete -printf '%h\n' 2>/dev/null |
    xargs -r -n 1 basename | sort -V | tail -n 1)"
  [[ -n "$package" ]] ||
    skip_no_kernel "none in $cache, and no package list names one: run apt-get update"
fi
prepare_kernel "$package"
kernel_dir="$cache/$package"

# --- Initramfs and disc images ----------------------------------------------------------
rm -rf "$work"
mkdir -p "$work/initramfs"/{bin,dev,etc,proc,sys,tmp,lib/modules}
root="$work/initramfs"
cp /bin/busybox "$root/bin/busybox"
cp "$cli_static" "$root/bin/quillrate-cli"
cp "$checker" "$root/bin/vm_drive_checker"
cp "$kernel_dir/modules/"* "$root/lib/modules/"
cp "$here/guest_init.sh" "$root/init"
chmod 0755 "$root/init"
# outsider is in no group of the drives; member is in cdrom, which owns them in the guest.
printf 'root:x:0:0:root:/tmp:/bin/sh\noutsider:x:1000:1000::/tmp/outsider:/bin/sh\n%s\n' \
  'member:x:1001:1001::/tmp/member:/bin/sh' >"$root/etc/passwd"
printf 'root:x:0:\ncdrom:x:24:member\noutsider:x:1000:\nmember:x:1001:\n' >"$root/etc/group"
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initramfs.gz"

# Sparse images: 100 MB reads as a CD, more than a CD holds as a DVD.
truncate -s 100M "$work/cd.img"
truncate -s 1200M "$work/dvd.img"

# --- Boot -------------------------------------------------------------------------------
start=$(date +%s)
set +e
timeout --kill-after=10 "$boot_bound_seconds" qemu-system-x86_64 \
  -accel tcg -machine pc -m 512 -nodefaults -display none -no-reboot \
  -kernel "$kernel_dir/vmlinuz" -initrd "$work/initramfs.gz" \
  -append "console=ttyS0 panic=-1 quiet" \
  -drive if=ide,index=0,media=cdrom,format=raw,readonly=on,file="$work/cd.img" \
  -drive if=ide,index=1,media=cdrom \
  -drive if=ide,index=2,media=cdrom,format=raw,readonly=on,file="$work/dvd.img" \
  -serial file:"$work/console.log" -serial file:"$work/results.log" >"$work/qemu.log" 2>&1
qemu_status=$?
set -e
echo "VM test: the guest ran $(($(date +%s) - start)) s"
if ((qemu_status != 0)); then
  tail -n 30 "$work/console.log" "$work/qemu.log" >&2 || true
  ((qemu_status == 124 || qemu_status == 137)) && fail "QEMU killed after $boot_bound_seconds s"
  fail "QEMU ended with status $qemu_status"
fi

# --- Results ----------------------------------------------------------------------------
guest="$work/guest"
mkdir -p "$guest"
tr -d '\r' <"$work/results.log" | sed -n '/^=== results begin$/,/^=== results end$/p' |
  sed '1d;$d' | base64 -d | tar -x -C "$guest" ||
  { tail -n 40 "$work/console.log" >&2; fail "no results from the guest"; }

failures=0
check() {
  local what="$1"
  shift
  if "$@"; then
    echo "ok - $what"
  else
    echo "not ok - $what"
    failures=$((failures + 1))
  fi
}
same() { diff -u "$1" "$2" >&2; }
checker_passed() {
  local name="$1"
  cat "$guest/$name.out"
  [[ -s "$guest/$name.err" ]] && sed 's/^/  stderr: /' "$guest/$name.err"
  [[ "$(cat "$guest/$name.status")" == 0 ]] && grep -Eq '^[1-9][0-9]* checks, 0 failed$' "$guest/$name.out"
}
status_is() { [[ "$(cat "$guest/$1.status")" == "$2" ]]; }

check "drives as root: sr0-sr2 at their IDE addresses, QEMU's identity" \
  same "$here/expected/drives-root.out" "$guest/drives-root.out"
check "drives as root: no problems to report" same /dev/null "$guest/drives-root.err"
check "report as root: the classification and fallback values" \
  same "$here/expected/report-root.out" "$guest/report-root.out"
check "drives as a user outside cdrom: the same drives, read-only" \
  same "$guest/drives-root.out" "$guest/drives-outsider.out"
check "drives as a user outside cdrom: the read-only opens explained" \
  same "$here/expected/drives-outsider.err" "$guest/drives-outsider.err"
check "report as a user outside cdrom equals root's" \
  same "$guest/report-root.out" "$guest/report-outsider.out"
check "report as a member of cdrom equals root's" \
  same "$guest/report-root.out" "$guest/report-member.out"
for name in checker-root checker-outsider checker-member; do
  check "$name" checker_passed "$name"
done
check "capture in the guest: the report as without capture" \
  same "$guest/report-root.out" "$guest/capture.out"
check "capture exits 0" status_is capture 0
"$cli" --simulate="$guest/capture.json" report --all >"$work/replay.out" 2>"$work/replay.err" || true
check "the capture replays here to the same report" same "$guest/capture.out" "$work/replay.out"
check "the replay says nothing on stderr" same /dev/null "$work/replay.err"

echo "VM test: $failures failed"
if ((failures > 0)); then
  echo "VM test: the guest's console, last lines:" >&2
  tail -n 20 "$work/console.log" >&2
fi
((failures == 0))
