#include "app/summary/ControlPanel.h"

#include <algorithm>
#include <vector>
#include <set>

#include "app/GlobalTables.h"
#include "app/summary/SummaryLayout.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "charts/TBoxItem.h"
#include "foundation/Reporter.h"
#include "platform/Ui.h"

const std::array<const char*, 4> kStartPictureCredits = {
    "Reinforced and prestressed sections",
    "Beams, columns, members, membranes",
    "Responses, interaction, long-term effects",
    "Quarvish development team",
};

namespace {
std::set<std::string>& ShownPaintMessages()
{
    static std::set<std::string> shown;
    return shown;
}

void PaintMessageOnce(const std::string& text, const std::string& caption, unsigned style)
{
    if (!ShownPaintMessages().insert(caption + '\n' + text).second)
        return;
    plat::MessageBox(text, caption, style);
}

plat::LogFont Arial(int height, int weight)
{
    return plat::LogFont{-std::max(height, 1), weight};
}

int Trunc(double v)
{
    return static_cast<int>(v);
}
} // namespace

void ForgetPaintMessages()
{
    ShownPaintMessages().clear();
}

void PaintControlPanel(plat::DC& dc,
                       int mode,
                       int W,
                       int H,
                       double f,
                       int byte4,
                       int byte5,
                       int traceLevel,
                       const std::function<void(plat::DC&)>& panelText)
{
    if (traceLevel == 3)
        PaintMessageOnce("PaintPanel", "Trace", MsgStyle::Ok);
    const plat::Color face = plat::GetSysColor(plat::SysColor::Face3D);
    dc.FillRect({0, 0, Trunc(f * W - 1), H}, face);
    dc.SelectFont(Arial(ControlPanelTitleFont(W, H), 700));
    dc.SetBkColor(face);
    dc.SetTextAlign(plat::TextAlign::Center | plat::TextAlign::Top);
    const std::string title = ControlPanelTitle(mode);
    if (mode == 1) {
        // The titles and labels stand where the panel's arithmetic leaves room for them, each
        // within its frame: one wider than the frame, or whose font is higher than that room
        // allows for, is left out.
        const LoadDeformationPanel panel = LayOutLoadDeformationPanel(W, H, f);
        const auto write = [&](bool centred, int x, int y, int cell, const plat::Rect& frame,
                               const std::string& text) {
            const plat::Size size = dc.GetTextExtent(text);
            const int from = centred ? x - size.cx / 2 : x;
            if (y >= 0 && size.cy <= cell && from > frame.left + 1 && from + size.cx < frame.right - 1)
                dc.TextOut(x, y, text);
        };
        const int middle = Trunc(0.5 * f * W);
        const int titleCell = PanelTextCell(panel.titleFont);
        write(true, middle, panel.title, titleCell, panel.frames[0], title);
        write(true, middle, panel.pasteTitle, titleCell, panel.frames[1], "Paste Data");
        dc.SetTextAlign(plat::TextAlign::Left | plat::TextAlign::Top);
        dc.SelectFont(Arial(panel.labelFont, 700));
        const int x = Trunc(0.02 * W);
        const int labelCell = PanelTextCell(panel.labelFont);
        write(false, x, panel.baseLabel, labelCell, panel.frames[0], "Type of Base Graph");
        write(false, x, panel.pastedLabel, labelCell, panel.frames[1], "Type of Pasted Graph");
        write(false, x, panel.sampleLabel, labelCell, panel.frames[1], "Sample Output");
    } else if (!title.empty()) {
        // A twentieth of the way down, or below the frame's top line where a window far wider
        // than high puts that line lower.
        const std::vector<plat::Rect> frames = ControlPanelFrames(mode, byte4, byte5, W, H, f);
        const int top = frames.empty() ? 0 : frames.front().top + 2;
        dc.TextOut(Trunc(0.5 * f * W), std::max(Trunc(0.05 * H), top), title);
    }
    if (panelText)
        panelText(dc);
    const int edge = Trunc(f * W - 1);
    dc.SelectPen(plat::Pen{});
    dc.MoveTo(edge, 0);
    dc.LineTo(edge, H - 1);
    dc.LineTo(W - 1, H - 1);
    dc.LineTo(W - 1, 0);
    dc.MoveTo(0, 0);
    dc.LineTo(W, 0);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::White});
    dc.MoveTo(Trunc(f * W - 2), 1);
    dc.LineTo(Trunc(f * W - 2), H);
    for (const plat::Rect& r : ControlPanelFrames(mode, byte4, byte5, W, H, f))
        DrawEtchedFrame(dc, r.left, r.top, r.Width(), r.Height());
}

void PaintStartPicture(plat::DC& dc, int W, int H, const std::array<std::string, 8>& texts)
{
    dc.SetBkColor(plat::Colors::White);
    const int titleHeight = Trunc(std::min(W / 25.0, (4.0 * H / 3.0) / 25.0));
    DrawRichText(dc,
                 Trunc(0.71 * W),
                 Trunc(0.2 * H),
                 texts[0],
                 Arial(titleHeight, 700),
                 plat::TextAlign::Right,
                 plat::TextAlign::Top);
    const int height = std::min(4 * H / 159, W / 53);
    const int x = Trunc(0.71 * W);
    dc.SetTextAlign(plat::TextAlign::Right | plat::TextAlign::Top);
    dc.SelectFont(Arial(height, 700));
    dc.TextOut(x, Trunc(0.3 * H), texts[1]);
    dc.TextOut(x, Trunc(0.35 * H), texts[2]);
    dc.SelectFont(Arial(height, 400));
    dc.TextOut(x, Trunc(0.5 * H), texts[3]);
    const double rows[4] = {0.6, 0.64, 0.68, 0.74};
    for (int i = 0; i < 4; ++i)
        dc.TextOut(x, Trunc(rows[i] * H), texts[static_cast<std::size_t>(4 + i)]);
    const plat::Image picture = plat::Image::FromResource(kStartPictureBitmap);
    if (picture.IsNull()) {
        PaintMessageOnce("Could not Load Program graphic",
                         "Problem with Load",
                         MsgStyle::IconExclamation);
        return;
    }
    dc.DrawImage(SplashBitmapBox(W, H, picture.Width(), picture.Height()), picture);
}

void PrintBox(plat::DC& dc, TBoxItem* box, bool controlChart, int H)
{
    if (box == nullptr)
        return;
    plat::Point parent;
    if (box->IsChildPlacement()) {
        if (const auto* outer = dynamic_cast<const TBoxItem*>(box->GetParent()))
            parent = {outer->Place().x, outer->Place().y};
    }
    const BoxPlace& place = box->Place();
    const plat::Point at = PrintBoxOrigin({place.x, place.y}, parent, controlChart, H);
    const plat::Point origin = dc.GetWindowOrg();
    dc.SetWindowOrg({origin.x - at.x, origin.y - at.y});
    const int blackAndWhite = box->BlackAndWhite();
    if (g_PrintInColour == 0)
        box->SetBlackAndWhite(1);
    // On the page as on the screen, a box draws nothing outside itself.
    const int saved = dc.SaveDC();
    dc.IntersectClipRect({0, 0, place.w, place.h});
    box->Paint(dc, true, {0, 0, place.w, place.h});
    dc.RestoreDC(saved);
    box->SetBlackAndWhite(blackAndWhite);
    dc.SetWindowOrg(origin);
}
