// StrToFloat on any text: a finite value or Exception with a short message.
#include "FuzzSupport.h"
#include "SysUtils.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size == 0)
        return 0;
    DecimalSeparator = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const long double value = StrToFloat(text);
        FUZZ_ASSERT(std::isfinite(value), "a converted value is finite");
        FUZZ_ASSERT(text.find_first_of("0123456789") != std::string::npos, "a number has a digit");
    } catch (const Exception& error) {
        FUZZ_ASSERT(isShortMessage(error.Message()), "the error message is short");
        FUZZ_ASSERT(!error.Message().empty(), "the error message says something");
    }
    return 0;
}
