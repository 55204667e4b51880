#!/usr/bin/env bash
# The VM test where no kernel can be had must end with ctest's skip status 77 and say why,
# never fail or wait: (1) package lists that name no kernel and an empty cache, (2) lists that
# name one but no network to download it.
#   skip_test.sh RUN_VM_TEST WORK_DIR
set -euo pipefail
run_vm_test=$1 work=$2
failures=0

# run_case NAME APT_CACHE_OUTPUT: apt-cache prints APT_CACHE_OUTPUT (and fails when it is
# empty, as without package lists); apt-get always fails, as without network.
run_case() {
  local name=$1 names=$2 dir="$work/$1" output status
  rm -rf "$dir"
  mkdir -p "$dir/bin" "$dir/cache"
  if [[ -n $names ]]; then
    printf '#!/bin/sh\necho "%s"\n' "$names" >"$dir/bin/apt-cache"
  else
    printf '#!/bin/sh\nexit 100\n' >"$dir/bin/apt-cache"
  fi
  printf '#!/bin/sh\necho "E: Failed to fetch: network unreachable" >&2\nexit 100\n' >"$dir/bin/apt-get"
  chmod +x "$dir/bin/apt-cache" "$dir/bin/apt-get"
  set +e
  output=$(PATH="$dir/bin:$PATH" QUILLRATE_VM_CACHE="$dir/cache" timeout 60 "$run_vm_test" \
    --cli-static /nonexistent --checker /nonexistent --cli /nonexistent --work "$dir/run" \
    --cache "$dir/cache" 2>&1)
  status=$?
  set -e
  echo "$name: $output (status $status)"
  if grep -q "^VM test: skipped: missing " <<<"$output" && [[ $status == 77 ]]; then
    echo "$name: QEMU or busybox-static is missing here, so the kernel lookup was not reached"
    return
  fi
  if [[ $status != 77 ]] || ! grep -q "^VM test: skipped: no kernel image (" <<<"$output"; then
    echo "$name: FAILED: expected status 77 and \"skipped: no kernel image\""
    failures=$((failures + 1))
  fi
}

run_case no_package_lists ""
run_case no_network "  Depends: linux-image-6.1.0-99-amd64"
((failures == 0)) && echo "passed"
