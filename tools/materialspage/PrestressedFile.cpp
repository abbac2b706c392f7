// Writes the pretensioned girder of the material-chart tests as a document, so the program
// can open it and show its materials page (for looking at; not run by CI).
//
//   qv_prestressedfile <output file>

#include <cstdio>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Units.h"
#include "tests/views/PrestressedSection.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv_prestressedfile <output file>\n");
        return 2;
    }
    auto beam = MakePrestressedGirder();
    TXmlDtd dtd(kBuiltInDtd, kUnitSI);
    const XmlResult r = WriteXmlDocumentFile(argv[1], dtd, {beam.get()}, nullptr);
    return r.status == XmlStatus::Ok ? 0 : 1;
}
