#include "dialogs/MemberInputDialogs.h"

#include <cstdio>
#include <cstdlib>

#include "app/T_2kWindow.h"
#include "app/TQuarvishWindow.h"
#include "dialogs/MemberSheet.h"
#include "dialogs/SorDemo.h"
#include "dialogs/TFire.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "platform/DC.h"
#include "platform/Ui.h"
#include "platform/Window.h"

int TMemberInputDialogs::Fire(T_2kWindow& parent, TStructure& s)
{
    TFire dialog(&parent, &s);
    const int result = dialog.Execute();
    if (result == DialogResult::Ok && dialog.Changed())
        parent.MarkStructuresChanged();
    return result;
}

int TMemberInputDialogs::MemberProperties(T_2kWindow& parent, TMemberDefinition& d)
{
    int result = DialogResult::Cancel;
    if (EditMemberProperties(&parent, d, ProgramStructureSlots(), &result))
        parent.MarkStructuresChanged();
    return result;
}

void TMemberInputDialogs::RelaxationDemo(T_2kWindow& parent)
{
    // Each sweep is painted into the window and put on the screen at once: the demonstration
    // runs inside the command, without the message loop.
    plat::Rect covered{};
    RunSorDemo([&parent, &covered](const TSorGrid& grid) {
        parent.UpdateWindow();
        {
            plat::ClientDC dc(parent);
            PaintSorGrid(dc, grid);
        }
        covered = SorGridArea(grid);
        parent.ShowNow(covered);
    });
    // The picture lies over the page only while the demonstration runs: once its result box is
    // closed, what it covered is painted again.
    if (!covered.IsEmpty())
        parent.InvalidateRect(covered, true);
}

void InstallMemberDialogs()
{
    static TMemberInputDialogs dialogs(GetInputDialogs());
    SetInputDialogs(&dialogs);
}

void PaintSorGrid(plat::DC& dc, const TSorGrid& grid)
{
    const int n = grid.Blocks(), size = SorBlockSize(n);
    for (int r = 0; r < grid.Rows(); ++r)
        for (int k = 0; k < grid.Columns(); ++k) {
            const SorColour c = SorBlockColour(grid.At(r, k));
            const int x = 20 + r * size, y = 100 + (n / 2 - k) * size;
            dc.FillRect({x, y, x + size, y + size}, plat::Color{c.red, c.green, c.blue});
        }
}

plat::Rect SorGridArea(const TSorGrid& grid)
{
    const int size = SorBlockSize(grid.Blocks());
    return {20, 100, 20 + grid.Rows() * size, 100 + grid.Columns() * size};
}

void RunSorDemo(plat::DC& dc)
{
    RunSorDemo([&dc](const TSorGrid& grid) { PaintSorGrid(dc, grid); });
}

void RunSorDemo(const std::function<void(const TSorGrid&)>& showSweep)
{
    // Each prompt asks again while its answer is refused; a cancelled prompt keeps the default.
    std::string text = "50";
    int n = 50;
    (void)plat::InputUntilTaken("Number of Blocks", "Enter Number of blocks (<200)", text,
                                [&n](const std::string& t) { return ReadSorBlocks(t, n); });
    text = StrPrintf("%5.2f", 1.0);
    double w = 1.0;
    (void)plat::InputUntilTaken("Successive Over-relaxation Factor", "Enter w (<2.0)", text,
                                [&w](const std::string& t) { return ReadSorFactor(t, w); });
    if (!CheckSorInputs(n, w))
        return;
    TSorGrid grid(n);
    const SorResult r = RelaxSorGrid(grid, w, showSweep);
    ShowMessage(SorReport(r), "Results from Analysis!");
    std::fputs(SorPrintout(r, grid).c_str(), stdout);
}
