#!/usr/bin/env bash
# Runs a picture fuzz target (fuzz_bitmap or fuzz_jpegpicture) over the seeds kept in
# fuzz/corpus/, with its dictionary, bounded memory and a per-input time limit. New inputs
# go to a working corpus beside the binary, which carries over from run to run.
# Usage: fuzz/run-pictures.sh <binary> [seconds] [extra libFuzzer options...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))
case $(basename "$binary") in
    fuzz_bitmap) kind=bitmap; max_len=16384 ;;
    fuzz_jpegpicture) kind=jpeg; max_len=8192 ;;
    *) echo "not a picture fuzz target: $binary" >&2; exit 2 ;;
esac
work=${FUZZ_WORK:-$(dirname "$binary")/fuzz-$kind}
mkdir -p "$work/corpus" "$work/artifacts"
exec "$binary" "$work/corpus" "$here/corpus/$kind" -dict="$here/$kind.dict" \
    -max_len=$max_len -timeout=10 -rss_limit_mb=2048 -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$@"
