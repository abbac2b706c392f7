#pragma once
// The shell started on a new section with the program's own document reader, and File > Open
// of a document written for the test.

#include <string>

#include "app/CommandIds.h"
#include "tests/app/ShellFixture.h"

class RealDocumentShellTest : public StartedShellTest {
protected:
    RealDocumentShellTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~RealDocumentShellTest() override { SetDocumentEngine(m_previous); }

    // File > Open of the text written under the name; changes of the open document are not saved.
    // A box the open is to give (a fragment of its text) is answered OK.
    void OpenDocument(const std::string& name, const std::string& text, const std::string& box = {})
    {
        dir.Write(name, text);
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        if (!box.empty())
            ui.Message(box, MsgAnswer::Ok);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }

private:
    TDocumentEngine* m_previous;
};
