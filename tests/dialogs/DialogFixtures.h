#pragma once
// Shared set-up of the dialog tests: a small bar catalogue in place of the program's, the
// unit system, a recording reporter and a scripted gateway.

#include <gtest/gtest.h>

#include "foundation/Units.h"
#include "model/catalogues/TRebarList.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

// 10M 100 mm^2 (11.3 mm), 25M 500 mm^2 (25.2 mm), #8 510 mm^2 (25.4 mm), S13 99 mm^2 (12.7 mm).
class CatalogueGuard {
public:
    CatalogueGuard() : m_saved(g_RebarList) {
        g_RebarList.Clear();
        g_RebarList.Add("10M", 100e-6, 0.0113);
        g_RebarList.Add("25M", 500e-6, 0.0252);
        g_RebarList.Add("#8", 510e-6, 0.0254);
        g_RebarList.Add("S13", 99e-6, 0.0127);
    }
    ~CatalogueGuard() { g_RebarList = m_saved; }
    CatalogueGuard(const CatalogueGuard&) = delete;
    CatalogueGuard& operator=(const CatalogueGuard&) = delete;

private:
    TRebarList m_saved;
};

class DialogModelTest : public ::testing::Test {
protected:
    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    ScriptedUi ui;
};
