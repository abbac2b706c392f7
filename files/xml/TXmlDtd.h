#pragma once
// TXmlDtd: the document type definition that every data-document read and write is done
// under, and the document's unit system.
//
// The text is "q3g.dtd" beside the program when it can be read (with the user data directory
// as the fallback of a read-only program directory, like the catalogues), else the built-in
// text, which is then written there. Every CR, LF and TAB of the text is a blank. The queries
// answer as a plain text search does, the way the data files have always been read:
// "<!ELEMENT name EMPTY|(model)", one "<!ATTLIST element attribute type default" per
// attribute, the default being the first double-quoted text before the declaration's '>'.
// The text is searched once when it is loaded, into tables that the queries look up.

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The built-in text (CR LF line ends, TABs before the ATTLIST lines).
extern const char* const kBuiltInDtd;

inline constexpr const char* kDtdFileName = "q3g.dtd";
inline constexpr const char* kDtdCreateFailedMessage =
    "Automatic creation of XML Document Type Definition file failed. Disk may be full or "
    "read-only.\r\nProgram will continue with built in version of file";

// Sentinel texts of the queries.
inline constexpr const char* kDtdNotFound = "NOT FOUND";
inline constexpr const char* kDtdNoElement = "NO ELEMENT";

// Element kinds of GetElementKind.
inline constexpr int kDtdEmpty = 0;
inline constexpr int kDtdModel = 1;
inline constexpr int kDtdOther = 2;

// Occurrences of GetChildElement.
inline constexpr int kOccursOptional = 1;   // ?
inline constexpr int kOccursOneOrMore = 2;  // +
inline constexpr int kOccursZeroOrMore = 3; // *
inline constexpr int kOccursOnce = 4;

class TXmlDtd {
public:
    // Reads "q3g.dtd" beside the program (ProgramFilePath), writing it from the built-in text
    // when no readable file exists; the unit system is g_UnitSystem's.
    TXmlDtd();
    // A definition from a text, for the tools and tests; no file is touched.
    TXmlDtd(std::string text, int unitSystem);

    // Fills the text from the file at path: read when it can be, else the built-in text,
    // written to the first place that takes it (a failure goes to the load-error log).
    // Returns 1.
    int Load(const std::string& path);

    const std::string& GetText() const { return m_text; }
    // The document's unit system, handed to the element callbacks by address.
    int* UnitSystem() { return &m_unitSystem; }
    int GetUnitSystem() const { return m_unitSystem; }
    void SetUnitSystem(int system) { m_unitSystem = system; }

    // kDtdEmpty, kDtdModel, or kDtdOther (also for an undeclared element).
    int GetElementKind(const std::string& element) const;
    // Attribute n (0-based, declaration order) of the element; false and "NOT FOUND" past
    // the last.
    bool GetAttributeName(const std::string& element, int n, std::string& name) const;
    // The quoted default; false and "NOT FOUND" without one.
    bool GetAttributeDefault(const std::string& element,
                             const std::string& attribute,
                             std::string& value) const;
    // Child n of the element's content model without its mark, and its occurrence; false and
    // "NO ELEMENT" past the model's end or without a parenthesised model.
    bool GetChildElement(const std::string& element, int n, int& occurrence, std::string& name) const;
    // Whether the element's content model names the child.
    bool IsChildOf(const std::string& element, const std::string& child) const;

private:
    // What the text says of an attribute's default.
    enum class DefaultAnswer { Quoted, NoQuote, Undeclared };
    struct Attribute {
        std::string name;
        DefaultAnswer answer = DefaultAnswer::Undeclared;
        std::string value = kDtdNotFound;
    };
    struct Element {
        std::vector<Attribute> attributes; // declaration order
        int kind = kDtdOther;
        // Declarations without a parenthesised model before the first with one (each is
        // reported when the children are asked for), and where that one's items begin
        // (npos without one).
        int declarationsWithoutModel = 0;
        std::size_t modelAt = std::string::npos;
        // The model's items, read once when the children are first asked for.
        mutable std::vector<std::string> items;
        mutable bool itemsRead = false;
    };

    void Prepare();
    void PrepareElementDeclarations();
    bool ReadModelItem(std::size_t& pos, std::string& item) const;
    std::string ReadNameAt(std::size_t pos) const;
    std::size_t SkipWordAt(std::size_t pos) const;
    std::size_t SkipBlanksAt(std::size_t pos) const;
    void ResolveDefaults(const std::string& element, std::vector<Attribute>& attributes) const;
    std::pair<DefaultAnswer, std::string> QuotedTextFrom(std::size_t from) const;
    const Element* FindElement(const std::string& element) const;

    std::string m_text;
    int m_unitSystem = 0;
    std::map<std::string, Element, std::less<>> m_elements;
    // The element found last (a reader asks of one element many times in a row); a copy
    // starts without one, as it points into its own table.
    struct LastFound {
        const Element* element = nullptr;
        std::string name;
        LastFound() = default;
        LastFound(const LastFound&) {}
        LastFound& operator=(const LastFound&)
        {
            element = nullptr;
            return *this;
        }
    };
    mutable LastFound m_lastFound;
    // Defaults asked of attributes the text does not declare, with the complaint made once.
    mutable std::map<std::pair<std::string, std::string>, std::pair<bool, std::string>> m_defaults;
};
