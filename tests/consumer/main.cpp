#include "Solver.h"
#include "SysUtils.h"

#include <cstdio>

int main()
{
    DecimalSeparator = '.';
    const TSolveOutcome outcome = SolveQuadratic("1", "-3", "2");
    std::puts(outcome.resultText.c_str());
    return outcome.resultText == "x1= 2; x2= 1" ? 0 : 1;
}
