// The name a save dialog proposes for a solution or a plot.
#pragma once

#include <QString>

#include <string>

// The equation or inequality as a file name: "x² − 3x + 2 = 0" gives
// "x2-3x+2=0", "2,5·10⁹x² − 1 ≥ 0" gives "2,5*10^9x2-1>=0"; no spaces, no
// character that a file name cannot hold or a shell would trip on, no
// folder separator. "Решение" where there is no statement.
QString FileNameOf(const std::string& statement);
