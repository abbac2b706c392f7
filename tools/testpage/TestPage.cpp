// Draws one test page through every kind of device, for looking at: an image, a picture (SVG
// and PNG), a recorder (the calls listed), the PDF printer, and a window with a preview page.
//
//   qv_testpage <output folder> [--show seconds]
//
// Writes image.png, picture.svg, picture.png, calls.txt and printed.pdf into the folder; with
// --show it also opens a window with the page and its print preview for the given time.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Picture.h"
#include "platform/Printing.h"
#include "platform/Window.h"
#include "support/RecordingDC.h"

using namespace plat;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 560;

void DrawTestPage(DC& dc) {
    dc.FillRect(Rect{0, 0, kWidth, kHeight}, Colors::White);
    dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::Black});
    dc.SelectBrush(Brush{true});
    dc.Rectangle(Rect{4, 4, kWidth - 4, kHeight - 4});

    LogFont title{-22};
    title.weight = 700;
    dc.SelectFont(title);
    dc.SetBkMode(BkMode::Transparent);
    dc.TextOut(20, 14, "Test page: lines, arcs, text, palette");

    // Pen styles and widths.
    const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot, PenStyle::DashDotDot};
    dc.SelectFont(LogFont{-12});
    for (int i = 0; i < 5; ++i) {
        dc.SelectPen(Pen{styles[i], 1, Colors::LtBlue});
        dc.MoveTo(20, 60 + 14 * i);
        dc.LineTo(220, 60 + 14 * i);
    }
    for (int w = 1; w <= 4; ++w) {
        dc.SelectPen(Pen{PenStyle::Solid, w, Color(128, 0, 0)});
        dc.MoveTo(20, 140 + 12 * w);
        dc.LineTo(220, 130 + 12 * w);
    }
    // A polyline: a damped wave.
    std::vector<Point> wave;
    for (int x = 0; x <= 200; ++x)
        wave.push_back({20 + x, 240 + static_cast<int>(30 * std::exp(-x / 80.0) * std::sin(x / 6.0))});
    dc.SelectPen(Pen{PenStyle::Solid, 1, Color(0, 128, 0)});
    dc.Polyline(wave);

    // Arcs, a pie, a chord, an ellipse and a winding polygon.
    dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::Black});
    dc.Arc(Rect{260, 60, 340, 140}, {340, 100}, {300, 60});
    dc.SelectBrush(Brush{false, Colors::LtYellow});
    dc.Pie(Rect{360, 60, 440, 140}, {440, 100}, {360, 100});
    dc.SelectBrush(Brush{false, Colors::LtCyan});
    dc.Chord(Rect{460, 60, 540, 140}, {540, 80}, {460, 80});
    dc.SelectBrush(Brush{false, Colors::LtMagenta});
    dc.Ellipse(Rect{560, 60, 660, 120});
    dc.SelectBrush(Brush{false, Color::PaletteIndex(16)});
    dc.Polygon({{690, 60}, {720, 140}, {660, 90}, {760, 90}, {680, 140}}, FillMode::Winding);

    // Rotated and Greek text.
    LogFont up{-14};
    up.escapement = 900;
    dc.SelectFont(up);
    dc.SetTextColor(Colors::Black);
    dc.TextOut(250, 300, "Moment (kNm)");
    LogFont slanted{-14};
    slanted.escapement = 450;
    dc.SelectFont(slanted);
    dc.TextOut(280, 300, "at 45 degrees");
    LogFont symbol{-18};
    symbol.face = "Symbol";
    dc.SelectFont(symbol);
    dc.TextOut(360, 170, "abgde ftsW");
    dc.TextOut(360, 200, "\xB9 \xA3 \xB3 \xB1 \xB0 \xA5");
    dc.SelectFont(LogFont{-18});
    dc.TextOut(360, 230, "Arial beside: e_t = 0.002");

    // The twenty entries of the default palette.
    dc.SelectFont(LogFont{-10});
    for (int i = 0; i < 20; ++i) {
        const Rect swatch{20 + 38 * i, 480, 20 + 38 * i + 32, 520};
        dc.SelectBrush(Brush{false, Color::PaletteIndex(i)});
        dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::Black});
        dc.Rectangle(swatch);
        dc.SetTextColor(Colors::Black);
        dc.TextOut(swatch.left + 2, swatch.bottom + 2, std::to_string(i));
    }

    // Clipping: a filled disc seen through a window of the clip.
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(Rect{520, 300, 620, 380});
    dc.SelectPen(Pen{PenStyle::Null});
    dc.SelectBrush(Brush{false, Colors::LtRed});
    dc.Ellipse(Rect{480, 260, 660, 420});
    dc.RestoreDC(saved);
    dc.SelectBrush(Brush{true});
    dc.Rectangle(Rect{519, 299, 621, 381});
}

class PagePrintout : public Printout {
public:
    PagePrintout() : Printout("Test page") {}
    void PrintPage(int, Rect& rect, unsigned) override {
        DC& dc = *GetDC();
        dc.SetMapMode(MapMode::Isotropic);
        dc.SetWindowExt(Size{kWidth, kHeight});
        dc.SetViewportExt(Size{rect.Width(), rect.Height()});
        DrawTestPage(dc);
    }
};

class PageWindow : public Window {
public:
    void Paint(DC& dc, bool, const Rect&) override { DrawTestPage(dc); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv_testpage <output folder> [--show seconds]\n");
        return 2;
    }
    const std::string out = argv[1];
    EnsureGuiRuntime(argc, argv);

    Image image(kWidth, kHeight);
    {
        DC dc(image);
        DrawTestPage(dc);
    }
    image.SavePng(out + "/image.png");

    ScreenDC screen;
    const Rect frame{0, 0, kWidth * screen.GetDeviceCaps(DevCap::HorzSize) * 100 / screen.GetDeviceCaps(DevCap::HorzRes),
                     kHeight * screen.GetDeviceCaps(DevCap::VertSize) * 100 / screen.GetDeviceCaps(DevCap::VertRes)};
    PictureDC picture(screen, frame, "Quarvish test page ");
    DrawTestPage(picture);
    const Picture pic = picture.Close();
    std::ofstream(out + "/picture.svg", std::ios::binary) << pic.svg;
    pic.image.SavePng(out + "/picture.png");

    RecordingDC recorder;
    DrawTestPage(recorder);
    std::ofstream calls(out + "/calls.txt");
    for (const DrawCall& c : recorder.Calls()) {
        calls << c.op;
        for (const Point& p : c.points)
            calls << " (" << p.x << "," << p.y << ")";
        if (!c.rect.IsEmpty())
            calls << " [" << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom << "]";
        if (!c.text.empty())
            calls << " \"" << c.text << "\"";
        calls << "\n";
    }

    Printer::UseTestPdfPrinter(out + "/printed.pdf");
    Printer printer;
    PagePrintout printout;
    if (!printer.Print(printout, false))
        std::fprintf(stderr, "printing failed\n");

    if (argc >= 4 && std::string(argv[2]) == "--show") {
        PageWindow window;
        window.Create();
        window.MoveWindow(Rect{0, 0, kWidth + 320, kHeight + 20});
        PreviewPage preview(printout, printer, 1);
        preview.Create(&window);
        preview.MoveWindow(Rect{kWidth + 10, 10, kWidth + 10 + 297, 10 + 210});
        window.Show(true);
        Application::PumpEvents(std::atoi(argv[3]) * 1000);
    }
    return 0;
}
