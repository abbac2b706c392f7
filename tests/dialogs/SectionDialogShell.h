#pragma once
// The shell started on a new section with the program's own document reader and section
// dialogs, in SI units with the small bar catalogue: the section dialogs worked from the main
// window's commands, and Solve > Sectional Response of what they leave.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "tests/app/SectionalAnswer.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"

class SectionDialogShellTest : public StartedShellTest {
protected:
    SectionDialogShellTest() : m_engine(SetDocumentEngine(nullptr)), m_dialogs(&GetInputDialogs()) {
        InstallSectionDialogs();
    }
    ~SectionDialogShellTest() override {
        SetInputDialogs(m_dialogs);
        SetDocumentEngine(m_engine);
    }

    SectionalAnswer Solve() { return SolveSectionalResponse(Frame(), Window()); }
    // Define > Edit General: "Centroidal Moment axis" unticked, the axis typed, OK.
    void TypeAxis(const std::string& axis)
    {
        constexpr int kAxisAuto = 5871, kAxisEdit = 5044; // "General  Definitions"
        ui.Dialog("General  Definitions", [axis](plat::DialogDriver& d) {
            if (d.Checked(kAxisAuto))
                d.Click(kAxisAuto);
            d.Type(kAxisEdit, axis);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Window().EvCommand(CmId::EditGeneral, 0, 0));
        EXPECT_TRUE(ui.Done());
    }
    // A document of the one structure written under the name, then opened by File > Open.
    void OpenMade(const std::string& name, std::unique_ptr<TStructure> structure) {
        std::vector<std::unique_ptr<TStructure>> made;
        made.push_back(std::move(structure));
        OpenByMenu(WriteStructures(name, std::move(made)));
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};

private:
    TDocumentEngine* m_engine;
    TInputDialogs* m_dialogs;
};
