#!/bin/bash
# Serving-flow throughput: one session (-nip, requests on the standard input)
# reads the example house once, validates it, then computes it N times (each
# computation runs every check and writes the report). Prints the
# computations per second of wall-clock and of processor time.
#   tests/cli/server/bench_server.sh BINARY [N]
set -e
binary=${1:?usage: bench_server.sh BINARY [N]}
n=${2:-2000}
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed "s|\"examples/house_r0.qvb\"|\"$work/house.qvb\"|" "$root/examples/house_r0.qvb" > "$work/house.qvb"
{
  printf '( Xon (\nRead_data\n'
  cat "$work/house.qvb"
  printf ') Xoff )\n( Xon (\nValidate_data\n) Xoff )\n'
  for ((i = 0; i < n; i++)); do printf '( Xon (\nCompute_data\n) Xoff )\n'; done
} > "$work/requests"
TIMEFORMAT='%R %U %S'
times=$( { time "$binary" -nip < "$work/requests" 2> "$work/replies"; } 2>&1 )
done_count=$(grep -c '^  Compute_data_done\|^  Error_wrong_test_result' "$work/replies" || true)
read -r real user sys <<< "$times"
echo "computations answered: $done_count of $n"
awk -v n="$n" -v r="$real" -v u="$user" -v s="$sys" \
  'BEGIN { printf "wall %.2fs: %.0f/s; processor %.2fs: %.0f/s\n", r, n / r, u + s, n / (u + s) }'
