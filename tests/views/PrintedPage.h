#pragma once
// The window's page printed while its print preview stands (the window paints for the
// printer only then), onto a recording page that stands in for a printer's sheet (a landscape
// letter sheet at 300 dots per inch, 3300 x 2550, unless told); the preview is closed
// afterwards.

#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishApp.h"
#include "platform/Frame.h"
#include "support/RecordingDC.h"

inline void PrintPageFromPreview(TQuarvishApp& app, RecordingDC& paper, const plat::DeviceCaps& caps)
{
    app.GetMainWindow()->Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app.GetPreview(), nullptr);
    TApxPrintout printout(app.GetPrinter(), "page", app.GetClient(), true);
    paper.Recorder().caps = caps;
    const plat::Size dots{caps.horzRes, caps.vertRes};
    printout.SetPrintParams(&paper, dots);
    plat::Rect page{0, 0, dots.cx, dots.cy};
    printout.PrintPage(1, page, 0);
    app.GetPreview()->Dispatch(PreviewId::Done);
    app.IdleAction(0);
}

inline void PrintLetterPageFromPreview(TQuarvishApp& app, RecordingDC& paper)
{
    PrintPageFromPreview(app, paper, plat::DeviceCaps{279, 216, 3300, 2550, 300, 300});
}

// The same on a landscape A4 sheet at 300 dots per inch (3508 x 2480): the printout lays the
// window out at 1123 x 794 of its pixels and maps them onto the sheet.
inline void PrintA4PageFromPreview(TQuarvishApp& app, RecordingDC& paper)
{
    PrintPageFromPreview(app, paper, plat::DeviceCaps{297, 210, 3508, 2480, 300, 300});
}
