// StrToFloat and the exact reading of the steps on any text: a text is a
// number to both or to neither (the exact reading only declines what is too
// long to compute with), and where both read it they agree on its value to
// single precision, in which Solve keeps it.
#include "ExactNumbers.h"
#include "FuzzSupport.h"
#include "SysUtils.h"

#include <cmath>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::optional<ExactDecimal> exact = ParseExactDecimal(text, separator);
    std::optional<long double> rounded;
    try {
        rounded = StrToFloat(text, separator);
    } catch (const Exception&) {
    }
    if (exact) {
        FUZZ_ASSERT(rounded.has_value(), "StrToFloat reads what the exact reading reads");
        const long double reference = Approximate(*exact);
        const long double tolerance = std::ldexp(std::fabs(reference), -24);
        FUZZ_ASSERT(std::fabs(*rounded - reference) <= tolerance
                || static_cast<float>(*rounded) == static_cast<float>(reference),
            "both readings give the same value");
    } else if (rounded) {
        // Too long to compute with exactly: beyond 60 significant digits or
        // 10^±400, which takes more than 60 characters or a large exponent.
        const std::optional<ScannedNumber> scanned = ScanNumber(text, separator);
        FUZZ_ASSERT(scanned.has_value(), "StrToFloat reads only what the scanner takes");
        FUZZ_ASSERT(scanned->whole.size() + scanned->fraction.size() > 60
                || std::llabs(scanned->exponent) > 300,
            "the exact reading declines only what is too long");
    }
    return 0;
}
