#!/usr/bin/env bash
# Does the mesh scanner read the same floats in the browser build as at home? Builds
# tests/web/scanner_values.cpp natively (glibc) and with emscripten (musl, run under node), feeds
# both the same numbers (random decimals and hexadecimals of every length around the float's
# halfway points and range ends, and the number-like words of the fuzzer's dictionary) and
# compares the bits.
#   tests/web/scanner_same.sh [COUNT]      (default 200000 numbers)
set -euo pipefail
cd "$(dirname "$0")/../.."
count=${1:-200000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
sources="tests/web/scanner_values.cpp assets/text_scanner.cpp"
g++ -std=c++17 -O2 -I. $sources -o "$work/native"
em++ -std=c++17 -O2 -I. $sources -sENVIRONMENT=node -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 \
  -sNODERAWFS=1 -o "$work/web.js"
python3 - "$count" >"$work/numbers.txt" <<'PY'
import random, struct, sys
random.seed(20261208)
count = int(sys.argv[1])
out = []
for _ in range(count):
    kind = random.random()
    if kind < 0.3:
        # A float's halfway point to many digits, nudged in the last ones.
        f = struct.unpack('<f', struct.pack('<I', random.getrandbits(31)))[0]
        if f != f or f in (float('inf'),):
            continue
        text = repr(abs(f) * (1 + 2.0 ** -24))
        out.append(text + random.choice(['', '0' * random.randint(1, 80) + '1', '9' * random.randint(1, 40)]))
    elif kind < 0.6:
        digits = ''.join(random.choice('0123456789') for _ in range(random.randint(1, 90)))
        point = random.randint(0, len(digits))
        exponent = random.choice(['', 'e%d' % random.randint(-60, 60), 'E+%d' % random.randint(0, 50)])
        out.append(random.choice(['', '-', '+']) + digits[:point] + '.' + digits[point:] + exponent)
    elif kind < 0.8:
        digits = ''.join(random.choice('0123456789abcdefABCDEF') for _ in range(random.randint(1, 40)))
        point = random.randint(0, len(digits))
        out.append('0x' + digits[:point] + '.' + digits[point:] + random.choice(['', 'p%d' % random.randint(-200, 200)]))
    else:
        out.append('%.*e' % (random.randint(0, 12), random.uniform(-1, 1) * 10 ** random.randint(-50, 45)))
for line in open('tests/fuzz/mesh.dict'):
    if line.startswith('"'):
        out.append(line.strip().strip('"'))
print('\n'.join(out))
PY
"$work/native" <"$work/numbers.txt" >"$work/native.txt"
node "$work/web.js" <"$work/numbers.txt" >"$work/web.txt"
lines=$(wc -l <"$work/numbers.txt")
stored=$(grep -c '^1 ' "$work/native.txt" || true)
if [ "$(wc -l <"$work/web.txt")" -eq "$lines" ] && cmp -s "$work/native.txt" "$work/web.txt"; then
  echo "the same bits for all $lines numbers ($stored of them read as a number)"
else
  echo "differences:"
  paste -d' ' "$work/numbers.txt" "$work/native.txt" "$work/web.txt" | awk '$2 != $4 || $3 != $5' | head -20
  exit 1
fi
