// The module's one entry point: the main program looks it up by name
// (SolutionView.h) once the module is loaded. Tests link the window's code
// directly and make the window themselves.
#include "SolutionView.h"
#include "SolutionWindow.h"

SolutionView* CreateSolutionView(QWidget* owner) { return new SolutionWindow(owner); }
