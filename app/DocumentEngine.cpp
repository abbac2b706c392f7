#include "app/DocumentEngine.h"

#include <memory>
#include <utility>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "foundation/TTextBuffer.h"

namespace {

// The data documents of the program: "q3g.dtd" beside the program governs every read and
// write. Full-member settings have no definition object yet: a document's Q2010_Analysis
// component is accepted and passed over, and none is written.
class XmlDocumentEngine final : public TDocumentEngine {
public:
    bool WriteHeader(std::string& text) override {
        m_dtd = std::make_unique<TXmlDtd>();
        StringSink sink;
        XmlWriteHeader(sink);
        text = sink.Text();
        return true;
    }
    bool WriteStructure(std::string& text, TStructure& structure) override {
        StringSink sink;
        if (!m_dtd || !XmlWriteStructure(*m_dtd, sink, &structure).Ok())
            return false;
        text += sink.Text();
        return true;
    }
    bool WriteAnalysisSettings(std::string&) override { return true; }
    bool WriteFooter(std::string& text) override {
        StringSink sink;
        XmlWriteFooter(sink);
        text += sink.Text();
        m_dtd.reset();
        return true;
    }

    bool IsDocument(const std::string& text) const override { return IsXmlDocumentHead(text); }
    void BeginRead(std::string& text) override {
        m_dtd = std::make_unique<TXmlDtd>();
        TTextBuffer buffer;
        buffer.Assign(text);
        XmlFlattenWhitespace(buffer);
        text = buffer.GetText();
    }
    bool FindComponent(const std::string& text, int index, std::string& name) override {
        std::size_t offset = 0;
        return m_dtd && XmlFindComponent(*m_dtd, text, index, name, offset) != 0;
    }
    bool ReadStructure(const std::string& text, int index, TStructure& structure) override {
        return m_dtd && XmlReadStructure(*m_dtd, text, index, &structure).Ok();
    }
    bool ReadAnalysisSettings(const std::string&, int) override { return true; }
    void CommitAnalysisSettings() override {}

private:
    std::unique_ptr<TXmlDtd> m_dtd;
};

TDocumentEngine* g_engine = nullptr;

} // namespace

TDocumentEngine& GetDocumentEngine() {
    static XmlDocumentEngine xml;
    return g_engine ? *g_engine : xml;
}

TDocumentEngine* SetDocumentEngine(TDocumentEngine* engine) { return std::exchange(g_engine, engine); }
