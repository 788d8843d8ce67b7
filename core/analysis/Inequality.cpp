#include "Writers.h"

void WriteInequality(const EquationFacts&, Relation, EquationSolution&) { }
