// The two choices a reader makes about a solution: the method the steps
// follow and the sign that makes the equation an inequality. Kept apart from
// the solution itself, so that a window that only offers the choices needs
// none of the exact arithmetic (and none of Boost) to name them.
#pragma once

// The ways a school solves a quadratic equation, and the one way for a = 0.
enum class Method {
    Formula, // по формуле корней, D = b² − 4ac
    HalfDiscriminant, // через D₁ = k² − ac, b = 2k
    Incomplete, // b = 0 or c = 0, no discriminant
    Vieta, // integer roots found from their sum −p and product q
    CompletingSquare, // a(x + b/(2a))² = D/(4a)
    Linear, // a = 0
};

// The sign between the two sides: = 0, or an inequality.
enum class Relation { Equal, Greater, GreaterOrEqual, Less, LessOrEqual };
