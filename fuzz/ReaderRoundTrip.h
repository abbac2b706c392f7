#pragma once
// The round trip every reader owes the writer: whatever a reader takes (a data document, a
// native binary file of 0.5, 0.7 or 0.8, labelled text, a predecessor sheet), the document
// writer writes as File > Save does, in the session's unit system (the document's own with the
// file override on); that text reads again with no refusal and no message, and the structures
// read back write the same text byte for byte. An input refused at its first reading must
// have said why.
//
// The stronger property: the structures a reader opened are held as their document gives them
// back (KeepAsDocumentGivesBack, as the program holds what it opens), and reopened from their
// saved document they hold the same values, every one to the last bit (ValueDifference), in any
// unit system, so that they solve alike.
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
#include "files/xml/DocumentGivesBack.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
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
inline std::string FirstDifference(const std::string& a,
                                   const std::string& b,
                                   const char* aName = "first save",
                                   const char* bName = "second save")
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
    return StrPrintf("at byte %zu: %s \"%s\", %s \"%s\"",
                     i,
                     aName,
                     lineAround(a).c_str(),
                     bName,
                     lineAround(b).c_str());
}

// Every value the structures hold, to the last bit: the document File > Save writes of them with
// its numbers written exactly (ExactDocumentNumbers); empty when the writer refused.
inline std::string ValuesText(TXmlDtd& dtd, const std::vector<TStructure*>& structures)
{
    const ExactDocumentNumbers exact;
    std::string text;
    return Save(dtd, structures, text) ? text : std::string();
}

// Where the values of structures first read and of the same structures reopened from their
// saved document part; empty when they hold the same values, every one to the last bit.
inline std::string ValueDifference(TXmlDtd& dtd,
                                   const std::vector<TStructure*>& read,
                                   const std::vector<TStructure*>& reopened)
{
    const std::string was = ValuesText(dtd, read);
    const std::string is = ValuesText(dtd, reopened);
    if (was == is)
        return {};
    return FirstDifference(was, is, "read", "reopened");
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

// Structures a reader opened, held as their document in the session's unit system gives them
// back: saved, opened again and saved again (SaveOpenSave), and the structures reopened hold
// the values of those opened, every one to the last bit.
inline Result SaveOpenSaveSameValues(TXmlDtd& dtd,
                                     const std::vector<TStructure*>& opened,
                                     const std::vector<std::string>& said)
{
    for (TStructure* s : opened)
        KeepAsDocumentGivesBack(*s, g_UnitSystem);
    XmlDocument again;
    Result r = SaveOpenSave(dtd, opened, said, &again);
    if (r.outcome != Outcome::Kept)
        return r;
    const std::string difference = ValueDifference(dtd, opened, Present(again));
    if (!difference.empty()) {
        r.outcome = Outcome::Failed;
        r.failure = "the reopened section holds other values than the one read: " + difference;
    }
    return r;
}

// The text through the document reader, whatever its head, then saved, reopened and saved
// again, the structures reopened holding the values of those read.
inline Result RoundTripDocument(TXmlDtd& dtd, const std::string& text)
{
    Result r;
    MessageCounter counter;
    XmlDocument document;
    dtd.SetUnitSystem(kUnitSI);
    const XmlResult read = ReadXmlDocument(text, dtd, document);
    const std::vector<TStructure*> opened = Present(document);
    const std::string untyped = read.Ok() ? UntypedOutline(opened) : std::string();
    if (!read.Ok() || !untyped.empty()) {
        const bool told = !counter.texts.empty() || !read.message.empty() || !untyped.empty();
        r.outcome = told ? Outcome::Refused : Outcome::Failed;
        r.failure = told ? std::string() : "the document was refused without a message";
        r.refusal = !untyped.empty()
                        ? untyped
                        : (!read.message.empty() ? read.message : FirstOf(counter.texts));
        return r;
    }
    return SaveOpenSaveSameValues(dtd, opened, counter.texts);
}

// The input through the reader the program chooses for it (a document by its head, any other
// file by its kind), then saved, reopened and saved again, the structures reopened holding the
// values of those opened.
inline Result RoundTripBytes(TXmlDtd& dtd, std::span<const std::uint8_t> bytes)
{
    const std::string text(bytes.begin(), bytes.end());
    if (IsXmlDocumentHead(text))
        return RoundTripDocument(dtd, text);
    Result r;
    MessageCounter counter;
    TBeam beam(TBeam::Empty{});
    const LegacyReadResult read = LoadBeamBytes(beam, bytes);
    if (!read.IsRead()) {
        const bool told = !counter.texts.empty() || !read.message.empty();
        r.outcome = told ? Outcome::Refused : Outcome::Failed;
        r.failure = told ? std::string() : "the file was refused without a message";
        r.refusal = !read.message.empty() ? read.message : FirstOf(counter.texts);
        return r;
    }
    return SaveOpenSaveSameValues(dtd, {&beam}, counter.texts);
}

} // namespace roundtrip
