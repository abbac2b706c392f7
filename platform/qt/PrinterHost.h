#pragma once
// The Qt printer behind a Printer; only the layer's own .cpp files see it.

#include <QPrinter>

#include <string>

#include "platform/Printing.h"

namespace plat {

struct Printer::Impl {
    QPrinter printer{QPrinter::HighResolution};
    PrintSetup setup;
    int pagesPrinted = 0;
    // No system printer: the printer writes a PDF file chosen in its print dialog.
    bool pdfFile = false;
    std::string pdfFileName;
    // The orientation of the set-up data onto the Qt printer, and back.
    void Apply();
    void Read();
};

} // namespace plat
