#!/bin/busybox sh
# PID 1 of the VM test's guest: loads the CD drive modules, runs quillrate-cli and the
# checker as root and as two unprivileged users, writes their outputs as a base64 tar to
# the second serial port and powers off. Every output is checked on the host.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

for module in $(cat /lib/modules/load-order); do
  insmod "/lib/modules/$module.ko" || echo "guest: insmod $module failed"
done
# The drives are probed asynchronously.
tries=0
while { [ ! -e /dev/sr2 ] || [ ! -e /dev/sg2 ]; } && [ $tries -lt 100 ]; do
  sleep 0.2
  tries=$((tries + 1))
done

# As on Debian: the drives' block devices and sg nodes belong to group cdrom. Others may
# read the block devices, so a user outside the group gets a read-only open.
chgrp cdrom /dev/sr* /dev/sg*
chmod 0664 /dev/sr*
chmod 0660 /dev/sg*
mkdir -p /tmp/outsider /tmp/member /results
chown outsider /tmp/outsider
chown member /tmp/member

out=/results
run() {
  name=$1
  shift
  "$@" >"$out/$name.out" 2>"$out/$name.err"
  echo $? >"$out/$name.status"
}
as() {
  user=$1
  shift
  su -s /bin/sh "$user" -c "$*"
}

run drives-root quillrate-cli drives
run report-root quillrate-cli report --all
run capture quillrate-cli --capture=$out/capture.json report --all
run checker-root vm_drive_checker root
run drives-outsider as outsider quillrate-cli drives
run report-outsider as outsider quillrate-cli report --all
run checker-outsider as outsider vm_drive_checker user
run report-member as member quillrate-cli report --all
run checker-member as member vm_drive_checker cdrom-user
id outsider >$out/id-outsider.out 2>&1
id member >$out/id-member.out 2>&1

stty -F /dev/ttyS1 raw -echo
{
  echo "=== results begin"
  tar -C $out -cf - . | base64
  echo "=== results end"
} >/dev/ttyS1
sync
poweroff -f
