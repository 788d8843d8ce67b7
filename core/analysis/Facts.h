// What is true of a·x² + b·x + c, in exact arithmetic, computed once from the
// coefficient texts: the discriminant (and D₁ where b is even), the roots, the
// vertex, the sign of the trinomial between its roots and the methods a
// student may solve the equation by. The writers of the steps, the answer,
// the plot and the description only read these; nothing is computed twice and
// nothing is read back out of a text.
#pragma once

#include "ExactNumbers.h"
#include "SolutionChoice.h"
#include "Solver.h"

#include <array>
#include <optional>
#include <vector>

struct Coefficients {
    ExactDecimal a, b, c;
    std::array<bool, 3> rounded {}; // taken as single precision: too long to be exact
    char separator = '.';
};

struct EquationFacts {
    Coefficients k;
    // a ≠ 0; a = 0 and b ≠ 0; a = b = 0 and c ≠ 0 (0 = c: never); a = b = c = 0 (always).
    enum Kind { Quadratic, Linear, Never, Always } kind = Quadratic;
    // Quadratic only: D = b² − 4ac, its sign, and the roots (−b ± √D)/(2a),
    // the first with +√D (complex where D < 0).
    ExactDecimal d;
    int signD = 0;
    RootPair roots;
    // b = 2k for an integer k: k and D₁ = k² − ac.
    std::optional<ExactDecimal> halfB, d1;
    // The vertex (−b/(2a); −D/(4a)).
    Rational vertexX, vertexY;
    // The real zeros of the trinomial in ascending order, without repeats:
    // none, one (D = 0, or the linear root −c/b) or two.
    std::vector<Surd> zeros;
    // The sign (+1, −1, or 0 where the trinomial is 0 everywhere) on each
    // interval the zeros cut the line into: zeros.size() + 1 of them.
    std::vector<int> signs;
    // The methods that apply (Linear alone for a = 0), in no particular order.
    std::vector<Method> methods;
};

// The facts of the equation that Solve has just solved; a text too long to
// compute with exactly is taken as Solve stored it (k.rounded).
EquationFacts AnalyseEquation(const SolvedEquation& solved);
