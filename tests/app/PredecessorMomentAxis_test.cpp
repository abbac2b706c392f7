// A predecessor sheet whose moment axis stands far off its section, opened by File > Open: the
// axis's height is no length of the section, so the sheet opens as it always has, with only the
// import's notices.

#include <cstdint>
#include <string>
#include <vector>

#include "model/TBeam.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

class PredecessorMomentAxis : public RealDocumentShellTest {};

} // namespace

// The two-type sheet (a 500 mm deep section) with its moment axis at 1e34 mm (1e31 m, past the
// centroid's mark of 1e30 m) opens with the axis at the centroid; with the axis 2 km over the
// bottom it opens with the axis above the section. Each gives the import notice and the notice
// of two concretes side by side, and nothing else.
TEST_F(PredecessorMomentAxis, ASheetWithItsMomentAxisFarOffTheSectionOpens)
{
    for (const double height : {1e34, 2e6}) {
        SCOPED_TRACE(height);
        SheetWriter sheet = MakeTwoTypeSheetWriter();
        sheet.Number(3, 15, height);
        const std::vector<std::uint8_t> bytes = sheet.Bytes();
        dir.Write("axis.dat", std::string(bytes.begin(), bytes.end()));
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File("axis.dat"))
            .Message("Importing", MsgAnswer::Ok)
            .Message("File contained more than one material type", MsgAnswer::Ok);
        const std::size_t before = ui.requests.size();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        EXPECT_TRUE(ui.Done());
        std::vector<std::string> boxes;
        for (std::size_t i = before; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message" && ui.requests[i].text.find("Save Changes") == std::string::npos)
                boxes.push_back(ui.requests[i].text);
        EXPECT_EQ(boxes.size(), 2u) << (boxes.empty() ? std::string() : boxes.back());
        const auto* beam = dynamic_cast<const TBeam*>(Window().GetCurrentStructure());
        ASSERT_NE(beam, nullptr);
        ASSERT_EQ(beam->GetName(), "Two types");
        if (height > 1e30)
            EXPECT_GE(beam->GetMomentAxis(), kCentroidalAxis);
        else
            EXPECT_GT(beam->GetMomentAxis(), beam->GetTop());
    }
}
