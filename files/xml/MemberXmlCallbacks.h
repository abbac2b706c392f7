#pragma once
// What the document engine needs of the full-member analysis definition, written and read as
// the Q2010_Analysis element. The member analysis implements it; until then a document that
// holds the element is read without it (the element is passed over).
//
// The roles are those of a structure's element callbacks. Numbers are converted with the
// document's unit system, which arrives by address like a structure's.

#include <string>

class TTextBuffer;

inline constexpr const char* kMemberRootName = "Q2010_Analysis";

class MemberXmlCallbacks {
public:
    virtual ~MemberXmlCallbacks() = default;
    // False while no member is defined (a negative length): nothing is written.
    virtual bool IsDefined() const = 0;
    virtual int CountMemberXmlElements(const std::string& element) = 0;
    virtual int GetMemberXmlAttribute(const std::string& element,
                                      const std::string& attribute,
                                      int instance,
                                      std::string& text,
                                      int* unitSystem) = 0;
    // The character data of BMD and mattypes.
    virtual int WriteMemberXmlData(const std::string& element,
                                   int instance,
                                   TTextBuffer& text,
                                   int* unitSystem) = 0;
    virtual int BeginMemberXmlElement(const std::string& element) = 0;
    // 0 stops the read.
    virtual int SetMemberXmlAttribute(const std::string& element,
                                      const std::string& attribute,
                                      const std::string& value,
                                      int* unitSystem) = 0;
    virtual int ReadMemberXmlData(const std::string& element, TTextBuffer& text, int* unitSystem) = 0;
    virtual int EndMemberXmlElement(const std::string& element) = 0;
};
