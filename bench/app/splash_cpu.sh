#!/bin/bash
# splash_cpu.sh PROGRAM: the processor time a started program uses while its splash screen
# waits (0.7 s to 2.7 s after start) and once the splash has closed (3.5 s to 5.5 s), as a
# share of one core, from /proc/PID/stat. PROGRAM runs with the display of the environment
# (QT_QPA_PLATFORM=offscreen, or under xvfb-run) and is ended afterwards.
set -euo pipefail
"$1" >/dev/null 2>&1 &
pid=$!
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
sleep 0.7; a=$(cpu); sleep 2.0; b=$(cpu)
sleep 0.8; c=$(cpu); sleep 2.0; d=$(cpu)
kill "$pid"; wait "$pid" 2>/dev/null || true
awk -v a="$a" -v b="$b" -v c="$c" -v d="$d" -v t="$ticks" \
    'BEGIN { printf "splash wait: %.3f of a core; afterwards: %.3f\n", (b-a)/t/2, (d-c)/t/2 }'
