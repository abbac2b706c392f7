#include "app/DocumentEngine.h"

#include <utility>

#include "foundation/Reporter.h"

namespace {

// Stands in until the XML engine is linked: reads nothing and refuses to write.
class MissingDocumentEngine final : public TDocumentEngine {
public:
    bool WriteHeader(std::string&) override {
        ShowMessage("Documents cannot be written: this build has no document writer.", "Error",
                    MsgStyle::IconExclamation);
        return false;
    }
    bool WriteStructure(std::string&, TStructure&) override { return false; }
    bool WriteAnalysisSettings(std::string&) override { return false; }
    bool WriteFooter(std::string&) override { return false; }
    bool IsDocument(const std::string& text) const override { return text.rfind("<?xml version=\"1.0\"", 0) == 0; }
    void BeginRead(std::string&) override {}
    bool FindComponent(const std::string&, int, std::string&) override { return false; }
    bool ReadStructure(const std::string&, int, TStructure&) override { return false; }
    bool ReadAnalysisSettings(const std::string&, int) override { return false; }
    void CommitAnalysisSettings() override {}
};

TDocumentEngine* g_engine = nullptr;

} // namespace

TDocumentEngine& GetDocumentEngine() {
    static MissingDocumentEngine missing;
    return g_engine ? *g_engine : missing;
}

TDocumentEngine* SetDocumentEngine(TDocumentEngine* engine) { return std::exchange(g_engine, engine); }
