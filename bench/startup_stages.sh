#!/usr/bin/env bash
# The stages of a cold start (bench_startup) for several builds or data sets, taking turns: each
# turn runs every variant once, as a fresh process, in a new order; then a table of each stage's
# median time and page faults, one column pair per variant.
#   bench/startup_stages.sh RUNS LABEL=COMMAND [LABEL=COMMAND...]
# A COMMAND is a bench_startup with its arguments, say
#   bench/startup_stages.sh 11 before=OLD/bench_startup after=build/bench/bench_startup \
#     "small=build/bench/bench_startup --data SMALL_DATA_DIR"
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 RUNS LABEL=COMMAND [LABEL=COMMAND...]" >&2; exit 2; }
runs=$1
shift
labels=() commands=()
for variant in "$@"; do
  labels+=("${variant%%=*}")
  commands+=("${variant#*=}")
done
samples=$(mktemp)
trap 'rm -f "$samples"' EXIT

for _ in $(seq "$runs"); do
  for i in $(seq 0 $((${#labels[@]} - 1)) | shuf); do
    # shellcheck disable=SC2086  # the command's own arguments
    line=$(${commands[$i]} --cold 1 | sed -n 's/^median of 1 cold starts: //p')
    [ -n "$line" ] || { echo "startup_stages: no start-up from ${commands[$i]}" >&2; exit 1; }
    # One line per stage: label, stage, ms, faults.
    echo "$line" | tr '|' '\n' | sed -E 's/^ +//; s/ +$//' |
      awk -v label="${labels[$i]}" '{faults = $(NF - 1); ms = $(NF - 3); NF -= 4; print label "\t" $0 "\t" ms "\t" faults}' \
        >>"$samples"
  done
done

awk -F'\t' -v order="${labels[*]}" '
  function median(list,   n, values, i, j, t) {
    n = split(list, values, " ")
    for (i = 2; i <= n; i++) for (j = i; j > 1 && values[j - 1] + 0 > values[j] + 0; j--) {
      t = values[j]; values[j] = values[j - 1]; values[j - 1] = t
    }
    return values[int((n + 1) / 2)]
  }
  !(($2) in seen) { seen[$2] = 1; stages[++stageCount] = $2 }
  { ms[$1, $2] = ms[$1, $2] " " $3; faults[$1, $2] = faults[$1, $2] " " $4 }
  END {
    n = split(order, labels, " ")
    printf "| stage |"
    for (i = 1; i <= n; i++) printf " %s ms | %s faults |", labels[i], labels[i]
    printf "\n|---|"
    for (i = 1; i <= n; i++) printf "---|---|"
    printf "\n"
    for (s = 1; s <= stageCount; s++) {
      printf "| %s |", stages[s]
      for (i = 1; i <= n; i++) printf " %.1f | %d |", median(ms[labels[i], stages[s]]), median(faults[labels[i], stages[s]])
      printf "\n"
    }
  }' "$samples"
