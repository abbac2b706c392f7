#include "files/legacy/BeamFileLoad.h"

#include <cmath>
#include <vector>

#include "files/DataFileOpen.h"
#include "files/ExampleShells.h"
#include "files/legacy/DataFileKind.h"
#include "files/legacy/LabelledTextFile.h"
#include "files/legacy/LegacyFile.h"
#include "files/legacy/NativeFileV05.h"
#include "files/legacy/NativeFileV07.h"
#include "files/legacy/PredecessorImport.h"
#include "files/legacy/SectionAsDocument.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/ModelHelpers.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/ConcreteLaws.h"

namespace {

constexpr unsigned kWarning = MsgStyle::Ok | MsgStyle::IconExclamation;
constexpr const char* kInvalidFile = "Invalid File";

// The path as the user knows it: every pair of backslashes reduced to one.
std::string DisplayPath(const std::string& path)
{
    std::string shown;
    for (std::size_t i = 0; i < path.size(); ++i) {
        shown.push_back(path[i]);
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\')
            ++i;
    }
    return shown;
}

// Reads a file that must exist; reports a missing or unreadable one.
bool ReadExistingFile(const std::string& fileName, std::vector<std::uint8_t>& bytes)
{
    if (!FileExists(fileName)) {
        ShowMessage(StrPrintf("Could not open file: %s", DisplayPath(fileName).c_str()),
                    "Open Error",
                    kWarning);
        return false;
    }
    std::string reason;
    if (!ReadFileBytes(fileName, bytes, reason)) {
        ShowMessage(reason, "Open Error", kWarning);
        return false;
    }
    return true;
}

LegacyReadResult Refuse(const std::string& message, const char* caption = kInvalidFile)
{
    ShowMessage(message, caption, kWarning);
    return LegacyRefused(0, message);
}

// Whether the beam holds a concrete section: a region of some height.
bool HasSection(const TBeam& beam)
{
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = beam.GetRegion(i);
        if (r != nullptr && r->top > r->bottom)
            return true;
    }
    return false;
}

// A section read from an older file is made ready as a section read from a document is: its
// concrete model codes those a document takes, its shape the one its document reopens with,
// the peak strains of its concrete types compressive, as a document's are read (a sheet of the
// predecessor gives them as positive numbers), then validated, which prepares the types.
void MakeReadSectionReady(TBeam& beam)
{
    HoldConcreteModelCodes(beam);
    HoldShape(beam);
    for (int t = 0; t < beam.GetConcreteTypeCount(); ++t)
        TakePeakStrainSign(*beam.GetConcreteType(t));
    beam.Validate();
}

LegacyReadResult ReadBeamBytes(TBeam& beam, std::span<const std::uint8_t> bytes)
{
    const FileKindInfo info = DetectFileKindInfo(bytes);
    if (info.kind == kKindUnknown)
        return Refuse("Not a valid file format");
    if (info.kind < kKindSupportedBase)
        return Refuse(StrPrintf("Unsupported Quarvish file format.  This version supports up to "
                                "type 0.8 and this file is type %3.1f",
                                std::trunc(info.version * 10.0) / 10.0));
    beam.ClearAll();
    // What an earlier document read into this beam met is no part of this file.
    beam.ReadState() = TStructure::ElementReadState();
    int mixedTypes = 0;
    LegacyReadResult result;
    switch (info.kind) {
    case kKindNativeV05:
        result = ReadNativeV05Bytes(beam, bytes);
        break;
    case kKindNativeV07:
        result = ReadNativeV07V08Bytes(beam, bytes, 7);
        break;
    case kKindNativeV08:
        result = ReadNativeV07V08Bytes(beam, bytes, 8);
        break;
    case kKindLabelledText:
        result = ReadLabelledText(
            beam,
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        break;
    case kKindPredecessor:
        result = ImportPredecessorBytes(beam, bytes, mixedTypes);
        break;
    default:
        return LegacyRefused(0, "No reader for this kind of file");
    }
    if (!result.IsRead()) {
        if (!result.message.empty() && info.kind != kKindLabelledText)
            ShowMessage(result.message, kInvalidFile, kWarning);
        return result;
    }
    // A file the reader got through that describes no section is no section to open.
    if (!HasSection(beam))
        return Refuse("File Does not contain any sections!");
    SetQuickDefineNew(0);
    MakeReadSectionReady(beam);
    if (info.kind == kKindPredecessor)
        beam.Validate();
    // The section as it stands is what a document saved from it holds: one that the document
    // reader would refuse is refused here, with its words, so that what opens also reopens.
    if (const std::string unheld = UnheldReadySectionText(beam); !unheld.empty())
        return Refuse(unheld, info.kind == kKindLabelledText ? "Load Error" : kInvalidFile);
    // The member the section carries is whole: what the file gives for it, and a new section's
    // values where the file gives none that make a member.
    TMemberQuickDef member;
    beam.GetStoredValues(member);
    if (CompleteMemberValues(member, beam.GetHeight()))
        beam.SetStoredValues(member);
    if (info.kind == kKindPredecessor) {
        constexpr unsigned kInformation = MsgStyle::Ok | MsgStyle::IconInformation;
        ShowMessage("Importing Quarvish-90 File.", "Information", kInformation);
        if (mixedTypes != 0)
            ShowMessage("Quarvish-90 File contained more than one material type for a given "
                        "depth.\r\nQuarvish-2000 has selected a single material type for that "
                        "depth.",
                        "Information",
                        kInformation);
    }
    return result;
}

} // namespace

LegacyReadResult LoadBeamBytes(TBeam& beam, std::span<const std::uint8_t> bytes)
{
    // A file refused after its reader brought bars to the catalogue (a 0.7 or 0.8 file's bars
    // by title) takes them away again: it leaves nothing of itself behind.
    const TRebarList::Extent catalogue = g_RebarList.GetExtent();
    LegacyReadResult result = ReadBeamBytes(beam, bytes);
    if (!result.IsRead())
        g_RebarList.RestoreExtent(catalogue);
    return result;
}

int LoadBeamFile(TBeam& beam, const std::string& fileName, int)
{
    if (!FileExists(fileName) && IsProgramDirFile(fileName, "q2k.q2k"))
        return 0;
    std::vector<std::uint8_t> bytes;
    if (!ReadExistingFile(fileName, bytes))
        return 0;
    return LoadBeamBytes(beam, bytes).Code();
}

int LoadShellFile(TShell& shell, const std::string& fileName, int elementIndex)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadExistingFile(fileName, bytes))
        return 0;
    const std::string text(bytes.begin(), bytes.end());
    if (!IsXmlDocumentHead(text)) {
        Refuse("Not a valid file format");
        return 0;
    }
    return ReadXmlStructureElement(text, elementIndex, shell);
}

void InstallFileReaders()
{
    SetBeamFileReader(LoadBeamFile);
    SetShellFileReader(LoadShellFile);
    SetShellExampleReader(LoadExampleShell);
}
