// The program's entry point: installs the modes, result views and input dialogs into the
// application shell, starts the window runtime and hands over to the application.

#include "app/TQuarvishApp.h"
#include "platform/Application.h"
#include "program/ProgramParts.h"

int main(int argc, char** argv) {
    plat::EnsureGuiRuntime(argc, argv);
    InstallProgramParts();
    return QuarvishMain(plat::Application::Arguments(), plat::Application::ProgramDirectory());
}
