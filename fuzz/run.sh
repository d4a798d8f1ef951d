#!/usr/bin/env bash
# Runs the RTF reader's fuzz target with seeds written here, the dictionary
# beside this script, bounded memory and a per-input time limit.
# Usage: fuzz/run.sh <fuzz_rtfreader binary> [seconds] [extra libFuzzer options...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))
work=${FUZZ_WORK:-$(dirname "$binary")/fuzz-rtf}
mkdir -p "$work/corpus" "$work/seeds" "$work/artifacts"
seed() { printf '%s' "$2" > "$work/seeds/$1.rtf"; }
seed richedit '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 MS Sans Serif;}{\f1\fnil\fcharset204 Tahoma;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\f0\fs17 Caf\'"'"'e9 \cf1\b bold\cf0\b0\par
\pard\qc\f1\'"'"'cf\'"'"'f0\tab x\line y\par
}'
seed office '{\rtf1\ansi\deff3{\fonttbl{\f3\froman\fprq2\fcharset0 Liberation Serif{\*\falt Times New Roman};}}
{\stylesheet{\s0 Normal;}}{\info{\title T}}{\*\generator x}
\pard\plain \s0\sb240\li720\fi-360\tx1440\tqr\tx2880{\loch Greek \u922\'"'"'3f\uc0 \u55357\uc1 \u56832\'"'"'3f}
{\pict\bin4 abcd}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}{\super\chftn}{\footnote x}
\par \trowd\cellx100\pard\intbl a\cell b\cell\row\page next\par }'
seed cjk '{\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset128 MS Mincho;}{\f1\fcharset134 SimSun;}{\f2\fcharset129 Gulim;}{\f3\fcharset136 MingLiU;}}
\f0\'"'"'82\'"'"'a0\'"'"'83A\'"'"'b1\f1\'"'"'d6\'"'"'d0\f2\'"'"'c7\'"'"'d1\f3\'"'"'a4\'"'"'a4\uc2\u12354\'"'"'82\'"'"'a0\par}'
seed upr '{\rtf1{\upr{\fonttbl{\f0 A;}}{\*\ud{\fonttbl{\f0 \u1040?;}}}}\f0{\upr{a}{\*\ud{\u8364?}}}}'
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
exec "$binary" "$work/corpus" "$work/seeds" -dict="$here/rtf.dict" -max_len=16384 \
    -len_control=20 -timeout=10 -rss_limit_mb=2048 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@"
