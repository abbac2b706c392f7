#pragma once
// What every reader fuzz target shares: the silent reporter (foundation/Reporter.h), the
// default bar catalogue and shape library, and the globals put back before each input.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "files/legacy/SectionDefinition.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"

inline TRebarList& DefaultCatalogueCopy()
{
    static TRebarList catalogue;
    return catalogue;
}

// Once per process: the reporter, the catalogue and "shape.dat" in a fresh folder.
inline void InitialiseFuzzEnvironment()
{
    static SilentReporter reporter;
    SetReporter(&reporter);
    std::istringstream listing(DefaultRebarListing());
    DefaultCatalogueCopy().ReadListing(listing);
    char folder[] = "/tmp/qv_fuzz_XXXXXX";
    if (mkdtemp(folder) != nullptr) {
        SetProgramPath(folder);
        SetUserDataDir(folder);
        LoadShapeLibrary(0);
    }
}

// libFuzzer's set-up hook: every target includes this header once.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    InitialiseFuzzEnvironment();
    return 0;
}

// Before each input: the globals a reader may change.
inline void ResetFuzzGlobals(std::uint8_t selector)
{
    g_RebarList = DefaultCatalogueCopy();
    g_UnitSystem = kUnitSI;
    g_FileOverride = selector & 1;
    g_SectionDefData = SectionDefData{};
    g_SectionDefData.shapeCode = static_cast<std::int16_t>(selector >> 1);
    ClearReportText();
}
