#pragma once
// What the shell needs of the XML document engine: writing a document component by
// component and reading it back component by component. Member settings read from a
// document wait in the engine until the caller commits them, so that a rejected edit leaves
// the live settings untouched.

#include <memory>
#include <string>

class TStructure;

class TDocumentEngine {
public:
    virtual ~TDocumentEngine() = default;

    // Writing: false (with the reason shown to the user) when the document cannot be made.
    virtual bool WriteHeader(std::string& text) = 0;
    virtual bool WriteStructure(std::string& text, TStructure& structure) = 0;
    virtual bool WriteAnalysisSettings(std::string& text) = 0;
    virtual bool WriteFooter(std::string& text) = 0;

    // Whether a file's text is an XML document (its prolog).
    virtual bool IsDocument(const std::string& text) const = 0;
    // Reading: prepares the text (whitespace flattened), then component by component.
    virtual void BeginRead(std::string& text) = 0;
    virtual bool FindComponent(const std::string& text, int index, std::string& name) = 0;
    virtual bool ReadStructure(const std::string& text, int index, TStructure& structure) = 0;
    // Reads member settings into the engine's pending copy.
    virtual bool ReadAnalysisSettings(const std::string& text, int index) = 0;
    // Makes the pending member settings the live ones.
    virtual void CommitAnalysisSettings() = 0;
};

// The engine the shell uses; never null.
TDocumentEngine& GetDocumentEngine();
// Installs an engine (tests); null restores the program's own. Returns the previous one.
TDocumentEngine* SetDocumentEngine(TDocumentEngine* engine);
