#pragma once
// A fixture for the summary page's tests: it starts the window runtime (text is measured) and
// gives the structure table, the member definition and the unit system back as found.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "app/GlobalTables.h"
#include "app/summary/InfoManager.h"
#include "app/summary/SummarySections.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"

// Whether one of the texts drawn is the text given.
inline bool HasText(const RecordingDC& dc, const std::string& text)
{
    const auto texts = dc.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class SummaryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    // The test starts on an empty table; its structures go with the fixture.
    void SetUp() override
    {
        m_saved.swap(g_Structures);
        g_InfoManager.reset();
    }
    void TearDown() override
    {
        m_saved.swap(g_Structures);
        g_InfoManager.reset();
    }
    TStructure* Put(int slot, std::unique_ptr<TStructure> structure)
    {
        g_Structures[static_cast<std::size_t>(slot)] = std::move(structure);
        return g_Structures[static_cast<std::size_t>(slot)].get();
    }

    RecordingDC dc; // what the test draws
    ValueGuard<int> m_units{g_UnitSystem, 0};
    ValueGuard<TMemberDefinition> m_member{g_MemberDefinition, TMemberDefinition{}};

private:
    std::array<std::unique_ptr<TStructure>, kMaxStructures> m_saved;
};
