// Shared checks of the fuzz targets: a failed invariant aborts, which
// libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SysUtils.h"

#define FUZZ_ASSERT(condition, what)                                                               \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "invariant failed: %s (%s)\n", what, #condition);                 \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// A message quoting user text stays short whatever the text's length: at
// most 120 characters (the quote is cut at 40).
inline bool isShortMessage(const std::string& message)
{
    std::size_t characters = 0;
    for (const char c : message)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters <= 120;
}

// Whether every character of a result text is one the program can show:
// Cyrillic words, digits, sign, separators, exponent, "x1= ; x2=" and blanks.
inline bool isResultAlphabet(const std::string& text)
{
    static const std::string ascii = "0123456789-.,E x12=;";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (ascii.find(static_cast<char>(c)) == std::string::npos)
                return false;
        } else if (c == 0xD0 || c == 0xD1) { // two-byte Cyrillic
            if (++i >= text.size())
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// The three coefficient texts of an input, false for an empty one: its first
// byte picks DecimalSeparator ('.' or ','), the rest is split at the first
// two NUL or newline bytes.
inline bool readTexts(const unsigned char* data, std::size_t size, std::string (&texts)[3])
{
    if (size == 0)
        return false;
    DecimalSeparator = (data[0] & 1) ? ',' : '.';
    int field = 0;
    for (std::size_t i = 1; i < size; ++i) {
        if ((data[i] == 0 || data[i] == '\n') && field < 2)
            ++field;
        else
            texts[field] += static_cast<char>(data[i]);
    }
    return true;
}
