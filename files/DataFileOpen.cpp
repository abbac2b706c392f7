#include "files/DataFileOpen.h"

#include <cstdint>
#include <vector>

#include "files/legacy/LegacyFile.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "files/xml/XmlReader.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "model/TBeam.h"

int OpenDataFile(const std::string& path, std::vector<std::unique_ptr<TStructure>>& structures)
{
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (ReadFileBytes(path, bytes, reason)) {
        std::string text(bytes.begin(), bytes.end());
        if (IsXmlDocumentHead(text))
            return LoadXmlDocument(text, structures);
    }
    int success = 0;
    structures.push_back(std::make_unique<TBeam>(path, success));
    return success;
}

int LoadXmlDocument(const std::string& text, std::vector<std::unique_ptr<TStructure>>& structures)
{
    TXmlDtd dtd;
    XmlDocument document;
    const XmlResult result = ReadXmlDocument(text, dtd, document);
    for (auto& structure : document.structures)
        structures.push_back(std::move(structure));
    return result.Ok() ? 1 : 0;
}

int ReadXmlStructureElement(const std::string& text, int k, TStructure& structure)
{
    TTextBuffer buffer(text);
    XmlFlattenWhitespace(buffer);
    const std::string& flat = buffer.GetString();
    TXmlDtd dtd;
    std::string root;
    structure.GetRootElementName(root);
    std::string name;
    std::size_t offset = 0;
    int found = 0;
    for (int n = 0; XmlFindComponent(dtd, flat, n, name, offset) != 0; ++n) {
        if (name == root && ++found == k)
            return XmlReadStructure(dtd, flat, n, &structure).Ok() ? 1 : 0;
    }
    ShowMessage(StrPrintf("The file holds no element %d of kind %s.", k, root.c_str()),
                "Load Error",
                MsgStyle::Ok | MsgStyle::IconExclamation);
    return 0;
}
