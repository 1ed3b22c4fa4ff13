// The scanf rules over text in memory. Each conversion reads characters exactly as the GNU C
// library's vfscanf does (which decides where the next scan starts and which fields are
// stored), then converts what it read as strtol and strtof would: integers by its own reading,
// the common decimal by one exact division, every other number by strtof itself.
#include "assets/text_scanner.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHexDigit(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int lower(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

// Longer than any number the mesh files hold: the copy for strtof lives on the stack up to this.
constexpr std::size_t shortNumber = 64;

// strtof over the characters a "%f" conversion read, sign taken off: false when strtof would
// convert nothing. strtof is correctly rounded in the C libraries the program is built with (the
// GNU C library, musl), so the value is the same everywhere: a value beyond the float's range
// becomes infinity, one below half its smallest step zero, and "0x" with no digit after it is
// the "0" alone. It reads a NUL-terminated copy, as the text in memory has no end mark; only
// the characters the conversion read are copied, digits, point, exponent and "0x", so the
// locale's other forms never come in.
bool convertFloat(const char* first, const char* last, float& value) {
    const auto length = static_cast<std::size_t>(last - first);
    char shortCopy[shortNumber + 1];
    std::string longCopy;
    char* copy = shortCopy;
    if (length <= shortNumber) {
        std::memcpy(shortCopy, first, length);
        shortCopy[length] = '\0';
    } else {
        longCopy.assign(first, length);
        copy = &longCopy[0];
    }
    char* converted = copy;
    const int savedErrno = errno;
    value = std::strtof(copy, &converted);
    errno = savedErrno;
    return converted != copy;
}

// Powers of ten that a double holds exactly.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common number, digits with maybe one point and no exponent, converted without a second
// pass over it: the digits as an integer m over a power of ten 10^k, both exact in a double, so
// the one division rounds m / 10^k correctly to a double. Rounding that double to a float gives
// the correctly rounded float unless the double lands exactly on a point halfway between two
// floats (its 29 low significand bits 1 followed by zeros), where the first rounding may have
// decided the tie. Returns where the number ends, which must be white space or the text's end
// (where the scanf rules stop as well); nullptr for the halfway doubles and for every other
// form, which take the full conversion.
const char* scanPlainDecimal(const char* p, const char* end, float& magnitude) {
    constexpr std::uint64_t exactLimit = std::uint64_t(1) << 53;
    std::uint64_t m = 0;
    int fractionDigits = 0;
    bool gotDigit = false;
    for (; p != end && isDigit(*p); ++p) {
        if (m >= exactLimit / 10) return nullptr;
        m = m * 10 + static_cast<std::uint64_t>(*p - '0');
        gotDigit = true;
    }
    if (p != end && *p == '.') {
        for (++p; p != end && isDigit(*p); ++p) {
            if (m >= exactLimit / 10 || fractionDigits == 22) return nullptr;
            m = m * 10 + static_cast<std::uint64_t>(*p - '0');
            ++fractionDigits;
            gotDigit = true;
        }
    }
    if (!gotDigit || (p != end && !isSpace(static_cast<unsigned char>(*p)))) return nullptr;
    const double quotient = static_cast<double>(m) / exactPowersOfTen[fractionDigits];
    std::uint64_t bits;
    std::memcpy(&bits, &quotient, sizeof bits);
    constexpr std::uint64_t lowBits = (std::uint64_t(1) << 29) - 1;
    if ((bits & lowBits) == std::uint64_t(1) << 28) return nullptr;
    magnitude = static_cast<float>(quotient);
    return p;
}

}  // namespace

void TextScanner::skipSpaces() {
    while (next_ != end_ && isSpace(static_cast<unsigned char>(*next_))) ++next_;
}

bool TextScanner::expect(const char* lowerCaseText) {
    for (const char* t = lowerCaseText; *t; ++t) {
        const int c = get();
        if (c == EOF || lower(c) != *t) return false;
    }
    return true;
}

TextScanner::Outcome TextScanner::scanInteger(int& value) {
    // The common number, up to nine digits with no sign (any such value fits an int), in one
    // pass. A sign, a tenth digit or no digit at all takes the full reading below.
    const char* p = next_;
    int small = 0;
    for (; p != end_ && p - next_ < 9 && isDigit(*p); ++p) small = small * 10 + (*p - '0');
    if (p != next_ && (p == end_ || !isDigit(*p))) {
        next_ = p;
        value = small;
        return Outcome::stored;
    }

    int c = get();
    if (c == EOF) return Outcome::inputFailure;
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = get();

    // strtol's long, 64 bits in the GNU C library, stops at its limits; the int keeps the low
    // 32 bits of it.
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    std::uint64_t magnitude = 0;
    bool anyDigit = false;
    for (; isDigit(c); c = get()) {
        anyDigit = true;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    unget(c);
    // A sign alone is not a number, but it stays read.
    if (!anyDigit) return Outcome::matchingFailure;
    const std::uint64_t asLong = negative ? 0 - magnitude : magnitude;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(asLong));
    return Outcome::stored;
}

TextScanner::Outcome TextScanner::scanFloat(float& value) {
    int c = get();
    if (c == EOF) return Outcome::inputFailure;
    const char* const start = next_ - 1;
    const bool hasSign = c == '-' || c == '+';
    const float sign = c == '-' ? -1.0f : 1.0f;
    if (hasSign) {
        c = get();
        if (c == EOF) return Outcome::matchingFailure;
    }

    // "nan", "inf" and "infinity" in any case; a partial word is a failure that keeps the
    // characters it read ("nax" is gone, and so is "infin" with the character after it).
    // "nan(...)" is read as "nan", up to the parenthesis.
    if (lower(c) == 'n') {
        if (!expect("an")) return Outcome::matchingFailure;
        value = std::copysign(std::numeric_limits<float>::quiet_NaN(), sign);
        return Outcome::stored;
    }
    if (lower(c) == 'i') {
        if (!expect("nf")) return Outcome::matchingFailure;
        c = get();
        if (lower(c) == 'i') {
            if (!expect("nity")) return Outcome::matchingFailure;
        } else {
            unget(c);
        }
        value = sign * std::numeric_limits<float>::infinity();
        return Outcome::stored;
    }

    if (isDigit(c) || c == '.') {
        float magnitude = 0.0f;
        if (const char* numberEnd = scanPlainDecimal(next_ - 1, end_, magnitude)) {
            next_ = numberEnd;
            value = sign * magnitude;
            return Outcome::stored;
        }
    }

    // Digits, one point, and an exponent mark after at least one digit, followed by an
    // optional sign and digits; after "0x", hexadecimal digits and a 'p' exponent. The text
    // read may end where strtof would stop earlier ("1e+", "0x1p"): it stays read all the same.
    const char* const number = next_ - 1;
    bool hex = false;
    bool gotDigit = false;
    if (c == '0') {
        c = get();
        if (lower(c) == 'x') {
            hex = true;
            c = get();
        } else {
            gotDigit = true;
        }
    }
    const int exponentMark = hex ? 'p' : 'e';
    bool gotPoint = false;
    bool gotExponent = false;
    int previous = 0;
    while (c != EOF) {
        if (isDigit(c) || (hex && !gotExponent && isHexDigit(c))) {
            gotDigit = true;
        } else if (gotExponent && lower(previous) == exponentMark && (c == '-' || c == '+')) {
            // the exponent's sign
        } else if (gotDigit && !gotExponent && lower(c) == exponentMark) {
            gotExponent = gotPoint = true;
        } else if (c == '.' && !gotPoint) {
            gotPoint = true;
        } else {
            unget(c);
            break;
        }
        previous = c;
        c = get();
    }

    const std::ptrdiff_t length = next_ - start;
    if (length == int(hasSign) || (hex && length == 2 + int(hasSign))) return Outcome::matchingFailure;
    float magnitude = 0.0f;
    if (!convertFloat(number, next_, magnitude)) return Outcome::matchingFailure;
    value = sign * magnitude;
    return Outcome::stored;
}

int TextScanner::scan(const char* format, std::initializer_list<Field> fields) {
    const Field* field = fields.begin();
    int stored = 0;
    // A run of white space in the format matches any run in the text, none included.
    bool skipSpace = false;
    for (const char* f = format; *f; ++f) {
        if (isSpace(*f)) {
            skipSpace = true;
            continue;
        }
        if (*f != '%') {
            int c = get();
            if (skipSpace) {
                while (isSpace(c)) c = get();
                skipSpace = false;
            }
            if (c == EOF) return stored == 0 ? EOF : stored;
            if (c != *f) {
                unget(c);
                return stored;
            }
            continue;
        }

        // Both conversions skip the white space before their number, text end or not.
        skipSpaces();
        skipSpace = false;

        const char conversion = *++f;
        const Outcome outcome = conversion == 'd' ? scanInteger(*field->integer) : scanFloat(*field->real);
        if (outcome == Outcome::inputFailure) return stored == 0 ? EOF : stored;
        if (outcome == Outcome::matchingFailure) return stored;
        ++field;
        ++stored;
    }
    if (skipSpace) skipSpaces();
    return stored;
}
