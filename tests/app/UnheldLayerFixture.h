// The fixture of the tests of files with a layer or a value no section holds: File > Open of
// older files and documents built here, the boxes each raises, and the section open before.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/summary/CrossSection.h"
#include "foundation/StrFormat.h"
#include "foundation/TDepthTable.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "support/RecordingDC.h"
#include "tests/app/OwnBarsDocument.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"

namespace unheld_layers {

// Where the older builders put the fields the tests change (header 45 bytes, then the blocks).
// Version 0.5: the section (143), geometry (76), concrete (106) blocks, then the region; after
// it (34) and the steel (55), the first bar layer "top", its total area first.
inline constexpr std::size_t kV05RegionTop = 45 + 143 + 76 + 106;
inline constexpr std::size_t kV05TopLayerArea = kV05RegionTop + 34 + 55;
// The two bar layers (73 each), then the stirrups: total area first, the bar diameter at 65.
inline constexpr std::size_t kV05Stirrup = kV05TopLayerArea + 2 * 73;
// Version 0.7/0.8: the section (409), two concretes (194 each), one steel (111), then the
// longitudinal layer "bottom", its bar count at byte 24.
inline constexpr std::size_t kV08LayerBars = 45 + 409 + 2 * 194 + 111 + 24;

// A section of one concrete "Web" and one bar steel "Bar", each by its own curve: the concrete
// 20 MPa at 1 mm/m and 30 MPa at 2 mm/m, the steel 400 MPa at 2 mm/m held to 50 mm/m; the rows
// given are added to the curves'.
inline std::string CurvesDocument(const std::string& concreteRows, const std::string& steelRows)
{
    return "<?xml version=\"1.0\"?>\r\n<document>\r\n<q3g_beam name=\"Curves\">\r\n"
           "<concrete fcp=\"30.0\" c_mod=\"4\" name=\"Web\">\r\n 0.000 0.00\r\n 1.000 20.00\r\n "
           "2.000 30.00\r\n" +
           concreteRows +
           "</concrete>\r\n<rebar fy=\"400\" name=\"Bar\">\r\n 0.000 0.00\r\n 2.000 400.00\r\n" +
           " 50.000 400.00\r\n" + steelRows +
           "</rebar>\r\n<sectionSOLID>\r\n 600.0 300.0\r\n 0.0 300.0 \"Web\"\r\n</sectionSOLID>\r\n"
           "</q3g_beam>\r\n</document>\r\n";
}

// The area of one 25.2 mm bar as the 0.5 reader counts it (m^2).
inline constexpr double kBarArea = 0.0252 * 0.0252 * 0.25 * 3.141592653589;

inline constexpr const char* kCannotRead = " The file cannot be read.";

inline std::string BarsText(int layer, const char* name, long long bars)
{
    return "Longitudinal layer " + std::to_string(layer) + " (\"" + name + "\") has " + std::to_string(bars) +
           " bars: a layer holds at most 10000 bars." + kCannotRead;
}

inline std::string Bytes(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

template <typename T> T Field(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    T value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

template <typename T> void SetField(std::vector<std::uint8_t>& bytes, std::size_t at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

// The bytes of the older file of that version with the f64 field at `at` made the value given.
inline std::string WithF64(std::vector<std::uint8_t> bytes, std::size_t at, double value)
{
    SetField(bytes, at, value);
    return Bytes(bytes);
}

// A 500 x 300 mm labelled-text section with the layer block given.
inline std::string LabelledSection(const std::string& layer)
{
    return "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Old girder\nUNITS Metric\n"
           "SECTION SOLID\n500 300\n0 300\nENDSECTION\n" +
           layer;
}

class UnheldLayerTest : public StartedShellTest {
protected:
    UnheldLayerTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~UnheldLayerTest() override { SetDocumentEngine(m_previous); }

    // File > Open of the file, the boxes that start with the fragments answered OK: the message
    // boxes it raised (a question about unsaved changes answered No and left out).
    std::vector<UiRequest> Open(const std::string& name, const std::string& content,
                                const std::vector<std::string>& expected = {})
    {
        dir.Write(name, content);
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        for (const std::string& fragment : expected)
            ui.Message(fragment, MsgAnswer::Ok);
        const std::size_t before = ui.requests.size();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        std::vector<UiRequest> boxes;
        for (std::size_t i = before; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message" && ui.requests[i].text.find("Save Changes") == std::string::npos)
                boxes.push_back(ui.requests[i]);
        return boxes;
    }

    // Opens the file and expects the one box with that text and caption; then the page of
    // whatever is open paints.
    void ExpectRefused(const std::string& name, const std::string& content, const std::string& text,
                       const std::string& caption)
    {
        SCOPED_TRACE(name);
        const std::vector<UiRequest> boxes = Open(name, content, {text.substr(0, 20)});
        EXPECT_TRUE(ui.Done());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text + "\n\nFile: " + dir.File(name));
        EXPECT_EQ(boxes[0].caption, caption);
        RecordingDC dc;
        PaintCrossSection(dc, Window().GetCurrentStructure(), 0, 0, 1000, 800, 0);
    }

    // Opens the file after a sound section: the one box with that text and caption, and the
    // section open before stays, under its own file name.
    void ExpectRefusedKeepingTheOpenSection(const std::string& name, const std::string& content,
                                            const std::string& text, const std::string& caption)
    {
        SCOPED_TRACE(name);
        Open("sound.q2t", LabelledSection("LONGREINF top\nZ 450\nAI 500\nNUM 2\nENDLONG\n"));
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
        const std::string before = app->GetFileName();
        const std::vector<UiRequest> boxes = Open(name, content, {text.substr(0, 20)});
        EXPECT_TRUE(ui.Done());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text + "\n\nFile: " + dir.File(name));
        EXPECT_EQ(boxes[0].caption, caption);
        EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
        EXPECT_EQ(app->GetFileName(), before);
        ASSERT_EQ(Window().GetCurrentStructure()->GetLongLayerCount(0), 1);
        EXPECT_NEAR(Window().GetCurrentStructure()->GetLongLayer(0, 0)->A, 1000e-6, 1e-12);
    }

    // A document of a section with one stirrup layer of its own bar (two legs of 100 mm^2, 11.3 mm
    // across), the attribute of its element (written as `written`) made the value given.
    std::string StirrupDocument(const std::string& attribute,
                                const std::string& written,
                                const std::string& value)
    {
        auto beam = std::make_unique<TBeam>();
        beam->SetName("Stirruped");
        TransLayerRec stirrup;
        InitTransLayerRec(stirrup);
        stirrup.A = 200e-6;
        stirrup.Ai = 100e-6;
        stirrup.db = 0.0113;
        stirrup.barIndex = -1;
        stirrup.pattern = 3;
        stirrup.disttop = beam->GetTop() - 0.03;
        stirrup.distbot = beam->GetBottom() + 0.03;
        stirrup.name = "stirrups";
        beam->AddTransLayer(stirrup, 2);
        std::vector<std::unique_ptr<TStructure>> structures;
        structures.push_back(std::move(beam));
        WriteStructures("stirrup.qvh", std::move(structures));
        std::string text = dir.Read("stirrup.qvh");
        const std::size_t element = text.find("<transreinfz");
        EXPECT_NE(element, std::string::npos);
        const std::size_t at = text.find("\t" + attribute + "\t", element);
        EXPECT_LT(at, text.find('>', element)) << attribute;
        const std::size_t open = text.find('"', at);
        const std::size_t close = text.find('"', open + 1);
        EXPECT_EQ(text.substr(open + 1, close - open - 1), written);
        text.replace(open + 1, close - open - 1, value);
        return text;
    }

private:
    TDocumentEngine* m_previous;
};

} // namespace unheld_layers
