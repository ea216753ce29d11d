#!/bin/sh
# Fails when the given library holds a fused multiply-add or multiply-subtract: every clone of
# the calibration kernels must round each product before its sum, as the plain loops do.
set -eu
library="$1"
found=$(objdump -d --no-show-raw-insn "$library" | grep -cE '[[:space:]]v?fn?m(add|sub)[0-9a-z]*[[:space:]]' || true)
if [ "$found" -ne 0 ]; then
    echo "$library holds $found fused multiply-add instructions:"
    objdump -d --no-show-raw-insn "$library" | grep -E '[[:space:]]v?fn?m(add|sub)[0-9a-z]*[[:space:]]' | head
    exit 1
fi
echo "$library: no fused multiply-add instructions"
