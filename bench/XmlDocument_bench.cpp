// Saving and opening a data document of one beam section with every kind of element (two
// concretes, one with a user curve, three steels, two regions, three bar layers, stirrups,
// strain profiles, loads, long-term and fire settings): the cost of a save and of an open,
// with the definition at hand and with the definition's text parsed first, as the program
// does at every open and save; and the cost of holding the section as its document gives it
// back, which the window pays for every section after an edit, a unit switch or an open.

#include <benchmark/benchmark.h>

#include <optional>
#include <sstream>

#include "files/xml/DocumentGivesBack.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Reporter.h"
#include "model/catalogues/TRebarList.h"
#include "tests/files/BeamFixture.h"

namespace {

// The beam with the default catalogue, quietly.
struct Fixture {
    Fixture()
    {
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.Clear();
        g_RebarList.ReadListing(listing);
        beam = MakeFullBeam();
        WriteXmlDocument(dtd, {beam.get()}, nullptr, document);
    }
    ~Fixture() { g_RebarList.Clear(); }

    SilentReporter quiet;
    ScopedReporter scoped{quiet};
    std::unique_ptr<TBeam> beam;
    TXmlDtd dtd{kBuiltInDtd, 0};
    StringSink document;
};

// Argument 1: the definition's text is parsed at every save or open, as the program does.
void BM_SaveDocument(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        std::optional<TXmlDtd> parsed;
        if (state.range(0) != 0)
            parsed.emplace(kBuiltInDtd, 0);
        StringSink sink;
        WriteXmlDocument(parsed ? *parsed : f.dtd, {f.beam.get()}, nullptr, sink);
        benchmark::DoNotOptimize(sink.Text().data());
    }
}
BENCHMARK(BM_SaveDocument)->Arg(0)->Arg(1);

void BM_OpenDocument(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        std::optional<TXmlDtd> parsed;
        if (state.range(0) != 0)
            parsed.emplace(kBuiltInDtd, 0);
        XmlDocument doc;
        ReadXmlDocument(f.document.Text(), parsed ? *parsed : f.dtd, doc);
        benchmark::DoNotOptimize(doc.structures.data());
    }
}
BENCHMARK(BM_OpenDocument)->Arg(0)->Arg(1);

// Argument: the unit system the document is written in.
void BM_KeepAsDocumentGivesBack(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            KeepAsDocumentGivesBack(*f.beam, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_KeepAsDocumentGivesBack)->Arg(0)->Arg(1);

} // namespace
