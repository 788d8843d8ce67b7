// SolveQuadratic on any three texts (the input split at the first two NUL or
// newline bytes): the outcome obeys the solver's contract.
#include "FuzzSupport.h"
#include "Solver.h"
#include "SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::string texts[3];
    if (!readTexts(data, size, texts))
        return 0;
    const int firstEmpty = texts[0].empty() ? 1 : texts[1].empty() ? 2 : texts[2].empty() ? 3 : 0;
    try {
        const TSolveOutcome outcome = SolveQuadratic(texts[0], texts[1], texts[2]);
        if (outcome.kind == TSolveKind::MissingValues) {
            FUZZ_ASSERT(firstEmpty != 0, "MissingValues only with an empty text");
            FUZZ_ASSERT(
                outcome.firstEmpty == firstEmpty, "MissingValues names the first empty text");
        } else {
            FUZZ_ASSERT(firstEmpty == 0, "an empty text gives MissingValues");
            FUZZ_ASSERT(
                outcome.hasResult && !outcome.resultText.empty(), "every outcome has a text");
            FUZZ_ASSERT(isResultAlphabet(outcome.resultText),
                "the result holds no inf, nan or stray character");
        }
    } catch (const Exception& error) {
        FUZZ_ASSERT(firstEmpty == 0, "nothing is converted while a text is empty");
        FUZZ_ASSERT(isShortMessage(error.Message()), "the error message is short");
    }
    return 0;
}
