// The explanation's and the plot's numbers are written with U+2212 for the
// minus sign, where the result line keeps ASCII '-'.
#pragma once

#include <string>

inline std::string WithTypographicMinus(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '-')
            out += "−";
        else
            out += c;
    }
    return out;
}
