#pragma once
// The window's page printed while its print preview stands (the window paints for the
// printer only then), onto a recording page that stands in for a landscape letter sheet at
// 300 dots per inch (3300 x 2550); the preview is closed afterwards.

#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishApp.h"
#include "platform/Frame.h"
#include "support/RecordingDC.h"

inline void PrintLetterPageFromPreview(TQuarvishApp& app, RecordingDC& paper)
{
    app.GetMainWindow()->Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app.GetPreview(), nullptr);
    TApxPrintout printout(app.GetPrinter(), "page", app.GetClient(), true);
    paper.Recorder().caps = plat::DeviceCaps{279, 216, 3300, 2550, 300, 300};
    printout.SetPrintParams(&paper, plat::Size{3300, 2550});
    plat::Rect page{0, 0, 3300, 2550};
    printout.PrintPage(1, page, 0);
    app.GetPreview()->Dispatch(PreviewId::Done);
    app.IdleAction(0);
}
