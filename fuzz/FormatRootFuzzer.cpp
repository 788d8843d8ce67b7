// FormatRoot on any long double: a short number text that reads back as the
// value to four digits, or Exception for infinity and NaN.
#include "FuzzSupport.h"
#include "Solver.h"
#include "SysUtils.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size < 11)
        return 0;
    DecimalSeparator = (data[0] & 1) ? ',' : '.';
    long double value = 0;
    unsigned char bits[16] = {};
    std::memcpy(bits, data + 1, 10); // the 80 bits of an x87 extended value
    // Only canonical encodings: the explicit integer bit is set exactly when
    // the exponent is non-zero (no unnormals, which no arithmetic produces).
    const bool normal = (bits[8] | (bits[9] & 0x7F)) != 0;
    bits[7] = normal ? (bits[7] | 0x80) : (bits[7] & 0x7F);
    std::memcpy(&value, bits, sizeof value);
    try {
        const std::string text = FormatRoot(value);
        FUZZ_ASSERT(std::isfinite(value), "only finite values are formatted");
        FUZZ_ASSERT(text.size() <= 12, "a root's text is short");
        FUZZ_ASSERT(isResultAlphabet(text), "a root's text holds only number characters");
        // Read back where the rounded text stays inside the normal range.
        if (std::fabs(value) > 1e-4900L && std::fabs(value) < 1e4900L) {
            const long double back = StrToFloat(text);
            const long double error = std::fabs(back - value);
            FUZZ_ASSERT(error <= std::fabs(value) * 5.0001e-4L, "the text reads back as the value");
        }
    } catch (const Exception&) {
        FUZZ_ASSERT(!std::isfinite(value), "only infinity and NaN are refused");
    }
    return 0;
}
