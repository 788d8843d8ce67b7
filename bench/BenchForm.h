// The real main form on the offscreen platform, shown, with coefficients
// typed in, for the in-process benchmarks.
#pragma once

#include "Unit1.h"

#include <QTest>

inline bool showFormWith(const char* a, const char* b, const char* c)
{
    Application->Initialize();
    Application->CreateForm(&Form1);
    Form1->show();
    if (!QTest::qWaitForWindowExposed(Form1))
        return false;
    Form1->Edit1->SetText(a);
    Form1->Edit2->SetText(b);
    Form1->Edit3->SetText(c);
    return true;
}
