// Formatted input from text in memory, by the scanf family's rules as the GNU C library applies
// them in the "C" locale, for the formats the mesh reader uses: literal text, white space, "%d"
// and "%f". The same rules on every platform, whatever the local C library does.
#pragma once

#include <cstdio>
#include <initializer_list>

class TextScanner {
public:
    TextScanner(const char* begin, const char* end) : next_(begin), end_(end) {}

    // Where one conversion stores its value: an int for "%d", a float for "%f".
    struct Field {
        Field(int* value) : integer(value) {}
        Field(float* value) : real(value) {}
        int* integer = nullptr;
        float* real = nullptr;
    };

    // Scans the text from where the last scan stopped, storing one field per conversion in the
    // format's order. Returns the number of fields stored, or EOF when the text ended before
    // the first conversion (an input failure); a character that does not match ends the scan
    // with the fields stored so far. As in the C library, a conversion that fails may leave
    // the characters it read consumed: only the last one is ever put back.
    int scan(const char* format, std::initializer_list<Field> fields);

private:
    enum class Outcome { stored, matchingFailure, inputFailure };

    int get() { return next_ < end_ ? static_cast<unsigned char>(*next_++) : EOF; }
    // Puts back the character get returned last.
    void unget(int c) {
        if (c != EOF) --next_;
    }
    void skipSpaces();
    // Reads the letters of lowerCaseText in either case; false at the first that differs, which
    // stays read.
    bool expect(const char* lowerCaseText);
    Outcome scanInteger(int& value);
    Outcome scanFloat(float& value);

    const char* next_;
    const char* end_;
};
