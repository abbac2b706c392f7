#include "app/DocumentEngine.h"

#include <memory>
#include <utility>

#include "app/GlobalTables.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "foundation/Reporter.h"
#include "foundation/TTextBuffer.h"
#include "member/MemberXmlElement.h"
#include "member/TMemberDefinition.h"
#include "member/fire/TStructureSlots.h"
#include "model/ModelHelpers.h"
#include "model/ValueLimits.h"

namespace {

// The data documents of the program: "q3g.dtd" beside the program governs every read and
// write. The full-member definition is written after the structures and read into a pending
// copy, which becomes g_MemberDefinition (checked) when the caller commits it.
class XmlDocumentEngine final : public TDocumentEngine {
public:
    bool WriteHeader(std::string& text) override {
        m_dtd = std::make_unique<TXmlDtd>();
        StringSink sink;
        XmlWriteHeader(sink);
        text = sink.Text();
        return true;
    }
    // A structure holding a value the reader refuses is not written: the document would not
    // open again, and the file it replaces keeps what it held.
    bool WriteStructure(std::string& text, TStructure& structure) override {
        if (const std::string unheld = UnheldValueText(structure); !unheld.empty()) {
            ShowMessage(unheld + " The file is not saved.", "Save Error",
                        MsgStyle::Ok | MsgStyle::IconExclamation);
            return false;
        }
        StringSink sink;
        if (!m_dtd || !XmlWriteStructure(*m_dtd, sink, &structure).Ok())
            return false;
        text += sink.Text();
        return true;
    }
    bool WriteAnalysisSettings(std::string& text) override {
        StringSink sink;
        MemberXmlElement element(g_MemberDefinition, m_slots);
        if (!m_dtd || !XmlWriteAnalysisSettings(*m_dtd, sink, element).Ok())
            return false;
        text += sink.Text();
        return true;
    }
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
        m_hasPending = false;
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
        m_unanalysable = false;
        if (!m_dtd || !XmlReadStructure(*m_dtd, text, index, &structure).Ok())
            return false;
        // An outline without its concrete cannot be shown or solved: the element is refused
        // with the one message that names it.
        const std::string untyped = DescribeUndefinedConcreteType(structure);
        if (untyped.empty())
            return true;
        ShowMessage(untyped, "Load Error", MsgStyle::Ok | MsgStyle::IconExclamation);
        m_unanalysable = true;
        return false;
    }
    bool RefusedAsUnanalysable() const override { return m_unanalysable; }
    bool ReadAnalysisSettings(const std::string& text, int index, const TStructureSlots& sections) override {
        // What the element does not set keeps its value.
        m_pending = m_hasPending ? m_pending : g_MemberDefinition;
        MemberXmlElement element(m_pending, sections);
        m_hasPending = true;
        return m_dtd && XmlReadAnalysisSettings(*m_dtd, text, index, element).Ok();
    }
    void CommitAnalysisSettings() override {
        if (!m_hasPending)
            return;
        g_MemberDefinition = m_pending;
        m_hasPending = false;
        CheckMemberGeometry(g_MemberDefinition);
    }

private:
    std::unique_ptr<TXmlDtd> m_dtd;
    StructureTableSlots m_slots{g_Structures};
    TMemberDefinition m_pending;
    bool m_hasPending = false;
    bool m_unanalysable = false;
};

TDocumentEngine* g_engine = nullptr;

} // namespace

TDocumentEngine& GetDocumentEngine() {
    static XmlDocumentEngine xml;
    return g_engine ? *g_engine : xml;
}

TDocumentEngine* SetDocumentEngine(TDocumentEngine* engine) { return std::exchange(g_engine, engine); }
