#pragma once
// The shell started on a new section with the program's own document reader, and File > Open
// of a document written for the test.

#include <string>

#include "app/CommandIds.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"

// A member 3 m long on its plates, its live-load moment diagram from 0 to -2000 at the right
// end, of one zone: section 0 over the whole length.
inline void DefineOneZoneMember(TMemberDefinition& member)
{
    member.length = 3.0;
    member.rightPlateLocation = 3.0;
    member.diagrams[LiveDiagram][0] = {0.0, 0.0, 0};
    member.diagrams[LiveDiagram][1] = {3.0, -2000.0, 0};
    member.pointCount[LiveDiagram] = 2;
    member.zoneCount = 1;
    member.zones[0] = {0.0, 0};
}

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
