// Opens the program's print preview for looking at: the main window as set up at start, the
// preview on the test PDF printer, shown for the given time.
//
//   qv_previewshot <program folder> <output folder> [seconds]

#include <cstdlib>
#include <string>

#include "app/TQuarvishApp.h"
#include "foundation/ProgramPaths.h"
#include "platform/Application.h"
#include "platform/Printing.h"

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string programDir = std::string(argv[1]) + "/";
    const std::string out = argv[2];
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 4;
    plat::EnsureGuiRuntime(argc, argv);
    SetUserConfigDir(out);
    plat::Printer::UseTestPdfPrinter(out + "/preview.pdf");
    TQuarvishApp app(programDir);
    app.InitMainWindow();
    app.CmFilePrintPreview();
    plat::Application::PumpEvents(seconds * 1000);
    app.EndPreview();
    plat::Application::PumpEvents(100);
    return 0;
}
