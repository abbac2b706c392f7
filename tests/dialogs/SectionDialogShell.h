#pragma once
// The shell started on a new section with the program's own document reader and section
// dialogs, in SI units with the small bar catalogue: the section dialogs worked from the main
// window's commands, and Solve > Sectional Response of what they leave.

#include <memory>
#include <string>
#include <utility>
#include <vector>

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
