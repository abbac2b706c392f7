// Saving and opening a data document of one beam section with every kind of element (two
// concretes, one with a user curve, three steels, two regions, three bar layers, stirrups,
// strain profiles, loads, long-term and fire settings): the cost of a save and of an open.

#include <benchmark/benchmark.h>

#include <sstream>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Reporter.h"
#include "model/catalogues/TRebarList.h"
#include "tests/files/BeamFixture.h"

namespace {

class QuietReporter final : public Reporter {
public:
    int Message(const std::string&, const std::string&, unsigned style) override
    {
        return DefaultAnswer(style);
    }
    void ShowData(const std::string&) override {}
};

struct Catalogue {
    Catalogue()
    {
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.Clear();
        g_RebarList.ReadListing(listing);
    }
    ~Catalogue() { g_RebarList.Clear(); }
};

void BM_SaveDocument(benchmark::State& state)
{
    QuietReporter quiet;
    ScopedReporter scoped(quiet);
    Catalogue catalogue;
    const auto beam = MakeFullBeam();
    TXmlDtd dtd(kBuiltInDtd, 0);
    for (auto _ : state) {
        StringSink sink;
        WriteXmlDocument(dtd, {beam.get()}, nullptr, sink);
        benchmark::DoNotOptimize(sink.Text().data());
    }
}
BENCHMARK(BM_SaveDocument);

void BM_OpenDocument(benchmark::State& state)
{
    QuietReporter quiet;
    ScopedReporter scoped(quiet);
    Catalogue catalogue;
    const auto beam = MakeFullBeam();
    TXmlDtd dtd(kBuiltInDtd, 0);
    StringSink sink;
    WriteXmlDocument(dtd, {beam.get()}, nullptr, sink);
    for (auto _ : state) {
        XmlDocument doc;
        ReadXmlDocument(sink.Text(), dtd, doc);
        benchmark::DoNotOptimize(doc.structures.data());
    }
}
BENCHMARK(BM_OpenDocument);

} // namespace
