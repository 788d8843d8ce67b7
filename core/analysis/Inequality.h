// The inequality a·x² + b·x + c ∨ 0 solved the school way, by the method of
// intervals, in exact arithmetic: the zeros of the trinomial cut the number
// line into intervals on which its sign is constant; the answer is the
// intervals of the wanted sign, with the zeros where the inequality is not
// strict. The set is kept exactly (ends are surds), so that membership of a
// point is decided without rounding; the explanation's writer (Writers.h)
// typesets it. Where the trinomial has no zeros (D < 0, or a = b = 0) its sign
// is one for every x: the steps say so in words, and there is no number line.
#pragma once

#include "Facts.h"

#include <optional>
#include <vector>

// An interval of the answer; a missing end is −∞ or +∞ (and open). A single
// point is [x; x].
struct SolutionInterval {
    std::optional<Surd> from, to;
    bool fromClosed = false, toClosed = false;
};

// The x for which the inequality holds: disjoint intervals in ascending order,
// no two of them touching; none where it never holds, and one unbounded on
// both sides where it always does.
struct SolutionSet {
    std::vector<SolutionInterval> intervals;
};

// Where a·x² + b·x + c `relation` 0 holds (with Relation::Equal: the zeros).
SolutionSet SolveInequality(const EquationFacts& facts, Relation relation);

// Whether x is in the set, exactly. A surd point may be any rational or share
// its root with the ends (as the zeros themselves do), or not: the comparison
// is exact in every case.
bool Contains(const SolutionSet& set, const Surd& x);
inline bool Contains(const SolutionSet& set, const Rational& x) { return Contains(set, AsSurd(x)); }
