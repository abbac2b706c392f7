// Every input the readers take opens, saves, reopens and saves again to the same text, or is
// refused with a message when first opened: the seeds and kept findings of every reader's
// fuzz target, the documents kept beside these tests and the built-in example elements; a data
// document opened in its own unit system and saved in another does the same.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "DocumentTestSupport.h"
#include "ReaderRoundTrip.h"
#include "files/ExampleShells.h"
#include "files/legacy/LabelledTextFile.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return files;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file(error))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ReaderRoundTrip : public DocumentTest {
protected:
    // Documents are saved in their own unit system, as with the file override on.
    ReaderRoundTrip() { g_FileOverride = 1; }
    ~ReaderRoundTrip() override { SetSectionLabelPrompt(m_prompt); }

    // Each file as a new session opens it: SI, the default catalogue, no label asked for.
    roundtrip::Result Through(const fs::path& file)
    {
        g_UnitSystem = kUnitSI;
        g_ResistanceFactors = ResistanceFactors{};
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.Clear();
        g_RebarList.ReadListing(listing);
        const std::vector<std::uint8_t> bytes = Bytes(file);
        return roundtrip::RoundTripBytes(dtd, bytes);
    }

    // The files of the folders (relative to the source tree); each either kept or refused with
    // a message. Answers how many were kept.
    int PassFolders(std::initializer_list<const char*> folders)
    {
        int seen = 0;
        int kept = 0;
        for (const char* folder : folders) {
            for (const fs::path& file : FilesIn(fs::path(QV_SOURCE_DIR) / folder)) {
                ++seen;
                const roundtrip::Result r = Through(file);
                if (r.outcome == roundtrip::Outcome::Failed)
                    ADD_FAILURE() << file.string() << ": " << r.failure;
                kept += r.outcome == roundtrip::Outcome::Kept ? 1 : 0;
            }
        }
        EXPECT_GT(seen, 0) << "no input found";
        return kept;
    }

    TXmlDtd dtd{kBuiltInDtd, kUnitSI};

private:
    SectionLabelPrompt m_prompt = SetSectionLabelPrompt(nullptr);
};

TEST_F(ReaderRoundTrip, DataDocuments)
{
    EXPECT_GT(PassFolders({"fuzz/corpus/XmlDocument", "fuzz/findings/XmlDocument", "fuzz/corpus/XmlRoundTrip",
                           "fuzz/findings/XmlRoundTrip", "tests/files/documents"}),
              0);
}

// A document opened in its own unit system, the units switched on Preferences, saved: a new
// session opens that save and saves it again to the same text, in each unit system.
TEST_F(ReaderRoundTrip, DataDocumentsSavedInAnotherUnitSystem)
{
    int kept = 0;
    for (const char* folder : {"fuzz/corpus/XmlDocument", "tests/files/documents"}) {
        for (const fs::path& file : FilesIn(fs::path(QV_SOURCE_DIR) / folder)) {
            for (int system : {kUnitSI, kUnitUS, kUnitOldMetric, kUnitRoman}) {
                SCOPED_TRACE(file.filename().string() + " saved in unit system " +
                             std::to_string(system));
                g_UnitSystem = kUnitSI;
                g_ResistanceFactors = ResistanceFactors{};
                const std::vector<std::uint8_t> bytes = Bytes(file);
                XmlDocument opened;
                if (!ReadXmlDocument(std::string(bytes.begin(), bytes.end()), dtd, opened).Ok())
                    continue;
                g_UnitSystem = system;
                const roundtrip::Result r =
                    roundtrip::SaveOpenSave(dtd, roundtrip::Present(opened));
                EXPECT_EQ(r.outcome, roundtrip::Outcome::Kept) << r.failure;
                kept += r.outcome == roundtrip::Outcome::Kept ? 1 : 0;
            }
        }
    }
    EXPECT_GT(kept, 0);
}

TEST_F(ReaderRoundTrip, NativeBinaryFiles)
{
    EXPECT_GT(PassFolders({"fuzz/corpus/NativeV05", "fuzz/findings/NativeV05", "fuzz/corpus/NativeV08",
                           "fuzz/findings/NativeV08"}),
              0);
}

TEST_F(ReaderRoundTrip, LabelledTextAndPredecessorSheets)
{
    EXPECT_GT(PassFolders({"fuzz/corpus/LabelledText", "fuzz/findings/LabelledText", "fuzz/corpus/Predecessor",
                           "fuzz/findings/Predecessor", "fuzz/corpus/BeamFileLoad", "fuzz/findings/BeamFileLoad"}),
              0);
}

TEST_F(ReaderRoundTrip, FindingsOfTheRoundTripTarget)
{
    PassFolders({"fuzz/corpus/ReaderRoundTrip", "fuzz/findings/ReaderRoundTrip"});
}

TEST_F(ReaderRoundTrip, BuiltInExampleElements)
{
    for (int example = 1; example <= 3; ++example) {
        SCOPED_TRACE(example);
        TShell shell;
        ASSERT_EQ(LoadExampleShell(shell, example), 1);
        const roundtrip::Result r = roundtrip::SaveOpenSave(dtd, {&shell});
        EXPECT_EQ(r.outcome, roundtrip::Outcome::Kept) << r.failure;
    }
}

} // namespace
