#pragma once
// The round trip every reader owes the writer: whatever a reader takes (a data document, a
// native binary file of 0.5, 0.7 or 0.8, labelled text, a predecessor sheet), the document
// writer writes as File > Save does, in the session's unit system (the document's own with the
// file override on); that text reads again with no refusal and no message, and the structures
// read back write the same text byte for byte. An input refused at its first reading must
// have said why.
//
// Shared by the round-trip fuzz target and the files tests; it includes nothing of either.
// The caller sets the program-wide state a reader may use (the catalogue, g_UnitSystem,
// g_FileOverride, the labelled text's label prompt) as a session would have it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "files/legacy/BeamFileLoad.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ModelHelpers.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

namespace roundtrip {

enum class Outcome {
    Refused, // refused at the first reading, with a message
    Kept,    // written, read again and written again to the same text
    Failed   // the property does not hold: `failure` says where
};

struct Result {
    Outcome outcome = Outcome::Failed;
    std::string failure;
    // Why the input was refused at its first reading.
    std::string refusal;
    // The texts of the first and the second save (empty where not reached).
    std::string first, second;
};

// Counts the messages shown while it is installed and passes each on to the reporter that was
// installed before it (a test's recorder keeps them).
class MessageCounter final : public Reporter {
public:
    MessageCounter() : m_previous(SetReporter(this)) {}
    ~MessageCounter() override { SetReporter(m_previous); }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;

    int Message(const std::string& text, const std::string& caption, unsigned style) override
    {
        texts.push_back(text);
        return m_previous != nullptr ? m_previous->Message(text, caption, style) : DefaultAnswer(style);
    }
    void ShowData(const std::string& text) override
    {
        if (m_previous != nullptr)
            m_previous->ShowData(text);
    }

    // Every message shown, in order.
    std::vector<std::string> texts;

private:
    Reporter* m_previous;
};

// The program refuses a structure whose outline names a concrete type it does not define, with
// the one message that names it; empty when every structure can be shown.
inline std::string UntypedOutline(const std::vector<TStructure*>& structures)
{
    for (const TStructure* s : structures) {
        const std::string untyped = DescribeUndefinedConcreteType(*s);
        if (!untyped.empty())
            return untyped;
    }
    return {};
}

inline std::string FirstOf(const std::vector<std::string>& texts)
{
    return texts.empty() ? std::string() : texts.front();
}

inline std::vector<TStructure*> Present(const XmlDocument& document)
{
    std::vector<TStructure*> out;
    for (const auto& s : document.structures)
        if (s)
            out.push_back(s.get());
    return out;
}

// The text File > Save writes of the structures, in the session's unit system; false when the
// writer refused.
inline bool Save(TXmlDtd& dtd, const std::vector<TStructure*>& structures, std::string& text)
{
    dtd.SetUnitSystem(g_UnitSystem);
    StringSink sink;
    const bool written = WriteXmlDocument(dtd, structures, nullptr, sink).Ok();
    dtd.SetUnitSystem(kUnitSI);
    text = sink.Text();
    return written;
}

// Where two texts part: the line of each, for a failure that shows what changed.
inline std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const auto lineAround = [i](const std::string& t) {
        const std::size_t from = i == 0 ? 0 : t.rfind('\n', i - 1);
        const std::size_t start = from == std::string::npos || i == 0 ? 0 : from + 1;
        const std::size_t end = t.find('\n', i);
        return t.substr(start, (end == std::string::npos ? t.size() : end) - start);
    };
    return StrPrintf("at byte %zu: first save \"%s\", second save \"%s\"", i, lineAround(a).c_str(),
                     lineAround(b).c_str());
}

// Structures that were opened: saved, opened again, saved again. Reopening may repeat what the
// first opening said (`said`), and nothing else. What was opened again is kept in
// `reopenedDocument` where one is given.
inline Result SaveOpenSave(TXmlDtd& dtd,
                           const std::vector<TStructure*>& opened,
                           const std::vector<std::string>& said = {},
                           XmlDocument* reopenedDocument = nullptr)
{
    Result r;
    if (!Save(dtd, opened, r.first)) {
        r.failure = "the writer refused what was opened";
        return r;
    }
    XmlDocument again;
    XmlResult read = XmlResult::Success();
    std::string untyped;
    std::vector<std::string> saidAgain;
    {
        MessageCounter counter;
        read = ReadXmlDocument(r.first, dtd, again);
        untyped = UntypedOutline(Present(again));
        saidAgain = counter.texts;
    }
    if (!read.Ok()) {
        r.failure = "the saved document was refused: " + read.message;
        return r;
    }
    if (!untyped.empty()) {
        r.failure = "the saved document was refused: " + untyped;
        return r;
    }
    for (const std::string& message : saidAgain) {
        if (std::find(said.begin(), said.end(), message) == said.end()) {
            r.failure = "reopening the saved document said: " + message;
            return r;
        }
    }
    const std::vector<TStructure*> reopened = Present(again);
    if (reopened.size() != opened.size()) {
        r.failure = StrPrintf("%zu structures were saved, %zu came back", opened.size(), reopened.size());
        return r;
    }
    if (!Save(dtd, reopened, r.second)) {
        r.failure = "the writer refused what was reopened";
        return r;
    }
    if (r.second != r.first) {
        r.failure = "the second save differs from the first " + FirstDifference(r.first, r.second);
        return r;
    }
    r.outcome = Outcome::Kept;
    if (reopenedDocument != nullptr)
        *reopenedDocument = std::move(again);
    return r;
}

// The input through the reader the program chooses for it (a document by its head, any other
// file by its kind), then saved, reopened and saved again.
inline Result RoundTripBytes(TXmlDtd& dtd, std::span<const std::uint8_t> bytes)
{
    const std::string text(bytes.begin(), bytes.end());
    Result r;
    MessageCounter counter;
    if (IsXmlDocumentHead(text)) {
        XmlDocument document;
        dtd.SetUnitSystem(kUnitSI);
        const XmlResult read = ReadXmlDocument(text, dtd, document);
        const std::vector<TStructure*> opened = Present(document);
        const std::string untyped = read.Ok() ? UntypedOutline(opened) : std::string();
        if (!read.Ok() || !untyped.empty()) {
            const bool told = !counter.texts.empty() || !read.message.empty() || !untyped.empty();
            r.outcome = told ? Outcome::Refused : Outcome::Failed;
            r.failure = told ? std::string() : "the document was refused without a message";
            r.refusal = !untyped.empty() ? untyped : (!read.message.empty() ? read.message : FirstOf(counter.texts));
            return r;
        }
        return SaveOpenSave(dtd, opened, counter.texts);
    }
    TBeam beam(TBeam::Empty{});
    const LegacyReadResult read = LoadBeamBytes(beam, bytes);
    if (!read.IsRead()) {
        const bool told = !counter.texts.empty() || !read.message.empty();
        r.outcome = told ? Outcome::Refused : Outcome::Failed;
        r.failure = told ? std::string() : "the file was refused without a message";
        r.refusal = !read.message.empty() ? read.message : FirstOf(counter.texts);
        return r;
    }
    return SaveOpenSave(dtd, {&beam}, counter.texts);
}

} // namespace roundtrip
