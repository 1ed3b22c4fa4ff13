// The mesh scanner's floats, bit for bit, for every number on standard input (one a line): built
// natively and with emscripten, the two outputs must be the same, since the scanner converts with
// the C library's strtof (glibc's at home, musl's in the browser). Prints the fields stored and
// each value's bits.
//   scanner_values < numbers.txt     (tests/web/scanner_same.sh makes the numbers and compares)
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "assets/text_scanner.h"

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        float value = 0.0f;
        TextScanner scanner(line.data(), line.data() + line.size());
        const int stored = scanner.scan("%f", {&value});
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        std::printf("%d %08x\n", stored, stored == 1 ? bits : 0u);
    }
    return 0;
}
