#pragma once
// The element callbacks that the document engine reads and writes an element tree through:
// a structure's virtual operations, or the full-member settings' callbacks. The unit system
// is the document's, by address.

#include <string>

#include "files/xml/MemberXmlCallbacks.h"
#include "model/TStructure.h"

class TTextBuffer;

class ElementCallbacks {
public:
    virtual ~ElementCallbacks() = default;
    virtual int Count(const std::string& element) = 0;
    virtual int AttributeText(const std::string& element,
                              const std::string& attribute,
                              int instance,
                              std::string& text,
                              int* unit) = 0;
    virtual int BodyText(const std::string& element, int instance, TTextBuffer& text, int* unit) = 0;
    virtual int Begin(const std::string& element) = 0;
    virtual int Set(const std::string& element,
                    const std::string& attribute,
                    const std::string& value,
                    int* unit) = 0;
    virtual int SetBody(const std::string& element, TTextBuffer& text, int* unit) = 0;
    virtual int End(const std::string& element) = 0;
    // An attribute's default from the definition, set before the element's own attributes.
    virtual int SetDefault(const std::string& element,
                           const std::string& attribute,
                           const std::string& value,
                           int* unit)
    {
        return Set(element, attribute, value, unit);
    }
};

class StructureCallbacks final : public ElementCallbacks {
public:
    explicit StructureCallbacks(TStructure& s) : m_s(s) {}
    int Count(const std::string& e) override { return m_s.GetElementCount(e); }
    int AttributeText(const std::string& e, const std::string& a, int i, std::string& t, int* u) override
    {
        return m_s.GetAttributeText(e, a, i, t, u);
    }
    int BodyText(const std::string& e, int i, TTextBuffer& t, int* u) override
    {
        return m_s.GetElementText(e, i, t, u);
    }
    int Begin(const std::string& e) override { return m_s.BeginElement(e); }
    int Set(const std::string& e, const std::string& a, const std::string& v, int* u) override
    {
        return m_s.SetAttribute(e, a, v, u);
    }
    int SetBody(const std::string& e, TTextBuffer& t, int* u) override
    {
        return m_s.SetElementText(e, t, u);
    }
    int End(const std::string& e) override { return m_s.EndElement(e); }
    // The structure knows a default from what the document gives (a bar's own size).
    int SetDefault(const std::string& e, const std::string& a, const std::string& v, int* u) override
    {
        m_s.ReadState().takingDefaults = true;
        const int result = m_s.SetAttribute(e, a, v, u);
        m_s.ReadState().takingDefaults = false;
        return result;
    }

private:
    TStructure& m_s;
};

class MemberCallbacks final : public ElementCallbacks {
public:
    explicit MemberCallbacks(MemberXmlCallbacks& m) : m_m(m) {}
    int Count(const std::string& e) override { return m_m.CountMemberXmlElements(e); }
    int AttributeText(const std::string& e, const std::string& a, int i, std::string& t, int* u) override
    {
        return m_m.GetMemberXmlAttribute(e, a, i, t, u);
    }
    int BodyText(const std::string& e, int i, TTextBuffer& t, int* u) override
    {
        return m_m.WriteMemberXmlData(e, i, t, u);
    }
    int Begin(const std::string& e) override { return m_m.BeginMemberXmlElement(e); }
    int Set(const std::string& e, const std::string& a, const std::string& v, int* u) override
    {
        return m_m.SetMemberXmlAttribute(e, a, v, u);
    }
    int SetBody(const std::string& e, TTextBuffer& t, int* u) override
    {
        return m_m.ReadMemberXmlData(e, t, u);
    }
    int End(const std::string& e) override { return m_m.EndMemberXmlElement(e); }

private:
    MemberXmlCallbacks& m_m;
};
