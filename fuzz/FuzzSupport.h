#pragma once
// What every reader fuzz target shares: the silent reporter (foundation/Reporter.h), the
// default bar catalogue and shape library, the built-in document definition, and the globals
// put back before each input. Everything that is the same for every input is built once.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>

#include "files/legacy/SectionDefinition.h"
#include "files/xml/TXmlDtd.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/ShapeLibrary.h"

inline TRebarList& DefaultCatalogueCopy()
{
    static TRebarList catalogue;
    return catalogue;
}

// The built-in definition, parsed once; each input starts it in SI units.
inline TXmlDtd& FuzzDtd()
{
    static TXmlDtd dtd(kBuiltInDtd, kUnitSI);
    return dtd;
}

// A fresh folder of the process, removed with everything in it when the process ends.
class FuzzFolder {
public:
    FuzzFolder()
    {
        char name[] = "/tmp/qv_fuzz_XXXXXX";
        if (mkdtemp(name) != nullptr)
            m_path = name;
    }
    ~FuzzFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Once per process: the reporter, the catalogue and "shape.dat" in a fresh folder.
inline void InitialiseFuzzEnvironment()
{
    static SilentReporter reporter;
    SetReporter(&reporter);
    std::istringstream listing(DefaultRebarListing());
    DefaultCatalogueCopy().ReadListing(listing);
    g_RebarList = DefaultCatalogueCopy();
    static FuzzFolder folder;
    if (!folder.Path().empty()) {
        SetProgramPath(folder.Path());
        SetUserDataDir(folder.Path());
        LoadShapeLibrary(0);
    }
    FuzzDtd();
}

// libFuzzer's set-up hook: every target includes this header once.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    InitialiseFuzzEnvironment();
    return 0;
}

// Before each input: the globals a reader may change. The catalogue only grows, so it is
// copied back only when a reader added to it.
inline void ResetFuzzGlobals(std::uint8_t selector)
{
    if (g_RebarList.Count() != DefaultCatalogueCopy().Count())
        g_RebarList = DefaultCatalogueCopy();
    g_UnitSystem = kUnitSI;
    g_FileOverride = selector & 1;
    g_ResistanceFactors = ResistanceFactors{};
    g_SectionDefinition = SectionDefinition{};
    g_SectionDefinition.ShapeCode = static_cast<std::int16_t>(selector >> 1);
    FuzzDtd().SetUnitSystem(kUnitSI);
    ClearReportText();
}
