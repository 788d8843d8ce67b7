// The module's entry point lives in SolutionWindow.cpp (CreateSolutionView);
// this file only gives the module a source of its own.
