// The solution on paper, for a student who hands it in or a teacher who
// prints it for the class: the equation as the title, the method, the steps
// (the line of signs, and the number line drawn under it), the answer and
// the graph, laid out on the pages of a printer or a PDF writer. Everything
// is drawn as text and lines, never as pictures, so that the words in a PDF
// can be selected and searched. The graph is the screen's picture
// (PlotPicture.h) in black on white, drawn at the scale PaperScale.h
// chooses, with that scale under it.
// The common case fits on one page; long steps go on over the next, and the
// graph follows them where it has room.
#pragma once

#include "PaperScale.h"
#include "PlotPicture.h"
#include "Solution.h"

class QPagedPaintDevice;

struct PrintedSolution {
    int pages = 0; // 0: the device could not be painted on
    PaperScale scale;
    // One unit on each axis of the graph as drawn, in millimetres.
    double xUnitMm = 0, yUnitMm = 0;
    // The graph's labels where they were placed, in the graph's own
    // coordinates (CSS pixels).
    std::vector<PlotLabel> labels;
};

// Paints onto the device's pages within its margins, at its page size, the
// graph drawn with `options` as on screen (squared paper in 5 mm squares).
PrintedSolution PrintSolution(
    const EquationSolution& solution, QPagedPaintDevice& device, const PlotOptions& options = {});

// A4 with the margins of a school sheet: room on the left for the binding.
void SetSolutionPageLayout(QPagedPaintDevice& device);
