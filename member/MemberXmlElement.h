#pragma once
// The member definition as the Q2010_Analysis element of a data document: the callbacks the
// document engine writes and reads the element through.
//
// Children: BMD (the live, then the dead moment diagram; body "x moment parabolic" rows),
// mattypes (body "x "section name"" rows) and supports (left, then right). Positions are
// written in the section-length unit of the document, moments and forces in its moment and
// force units. Reading does not reset the definition: what the element does not set is kept.
// A value the member pages would not take (member/MemberLimits.h) refuses the element at the
// end of the element that holds it, after one message naming the value.

#include <string>

#include "files/xml/MemberXmlCallbacks.h"

#include "member/TMemberDefinition.h"

struct TypedRange;
class TStructureSlots;

// The definition as a document written in that unit system gives it back: every number the
// element writes, as a read of its text gives it.
TMemberDefinition MemberAsDocumentKeepsIt(const TMemberDefinition& d, int unitSystem);

// Longest section name a mattypes row keeps (longer names are cut).
inline constexpr std::size_t kMaxZoneNameChars = 127;

class MemberXmlElement final : public MemberXmlCallbacks {
public:
    MemberXmlElement(TMemberDefinition& definition, const TStructureSlots& slots)
        : m_d(definition), m_slots(slots)
    {
    }

    // The element is written for every document, also before a member is defined.
    bool IsDefined() const override { return true; }
    int CountMemberXmlElements(const std::string& element) override;
    int GetMemberXmlAttribute(const std::string& element,
                              const std::string& attribute,
                              int instance,
                              std::string& text,
                              int* unitSystem) override;
    int WriteMemberXmlData(const std::string& element, int instance, TTextBuffer& text, int* unitSystem) override;
    int BeginMemberXmlElement(const std::string& element) override;
    int SetMemberXmlAttribute(const std::string& element,
                              const std::string& attribute,
                              const std::string& value,
                              int* unitSystem) override;
    int ReadMemberXmlData(const std::string& element, TTextBuffer& text, int* unitSystem) override;
    // 0, after the message, when the element just read held a value no member takes.
    int EndMemberXmlElement(const std::string& element) override;

private:
    int SetRootAttribute(const std::string& attribute, const std::string& value, const int* unit);
    int SetDiagramAttribute(const std::string& attribute, const std::string& value, const int* unit);
    int SetSupportAttribute(const std::string& attribute, const std::string& value, const int* unit);
    void ReadDiagramRows(TTextBuffer& text, const int* unit);
    void ReadZoneRows(TTextBuffer& text, const int* unit);
    // Keeps the refusal of the first value outside its range.
    void Hold(const std::string& record,
              const char* what,
              double value,
              const TypedRange& range,
              const int* unit);

    TMemberDefinition& m_d;
    const TStructureSlots& m_slots;
    int m_diagram = -1; // BMD instance being read
    int m_support = -1; // supports instance being read
    std::string m_unheld; // the refusal of the first value no member takes
};
