#pragma once
// A started shell with both modes whose window is sized as a user sizes it, its page painted
// as the screen shows it and printed while its preview stands, for the tests that a page reads
// at every window size (tests/views/PageClashes.h tells what stands wrong).

#include <vector>

#include "support/RecordingDC.h"
#include "tests/views/BothModesShell.h"
#include "tests/views/PrintedPage.h"

// A wide low window, a small one, a large one, and two lower than the common screens.
inline constexpr plat::Size kReadableSizes[] = {{1600, 500}, {713, 517}, {1280, 1024}, {1250, 380}, {960, 420}};

struct SizedPagesTest : BothModesShellTest {
    // The client sized by its frame, as a user's window (or a fixed client size) has it: a
    // printout stretches it to the page through the frame's size limits.
    void Size(plat::Size s) { ShowClientAt(s.cx, s.cy); }

    // The window's own paint (the summary page) as the screen shows it.
    std::vector<DrawCall> Screen()
    {
        RecordingDC dc;
        View().Paint(dc, 0, 0);
        return dc.Calls();
    }

    // The page printed while its preview stands.
    std::vector<DrawCall> Printed()
    {
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        return paper.Calls();
    }
};
