#include "dialogs/TContin.h"

#include <algorithm>

#include "app/CommandIds.h"
#include "platform/Controls.h"
#include "platform/Services.h"

using plat::ControlKind;
using plat::DialogItem;

namespace {

// Moves the sketches' copies apart by a little less than a stored step, so that the picture
// shows the step without the copies being normalised.
constexpr double kSketchStep = 4e-6;

plat::DialogTemplate ContinTemplate()
{
    plat::DialogTemplate t;
    t.caption = "Continuity Selector";
    t.width = 262;
    t.height = 206;
    t.Add(DialogItem::At(ContinId::Up, ControlKind::GroupBox, "Upwards Continuity", 7, 7, 120, 150))
        .Add(DialogItem::At(ContinId::Down, ControlKind::GroupBox, "Downwards Continuity", 135, 7, 120, 150))
        .Add(DialogItem::At(-1, ControlKind::Static, "Select which is correct by clicking on diagram", 7, 162, 248, 8))
        .Add(DialogItem::At(ContinId::HalfShown, ControlKind::Static, "Full Beam Shown", 7, 174, 248, 8))
        .Add(DialogItem::At(plat::DialogResult::Ok, ControlKind::DefPushButton, "OK", 72, 187, 50, 14))
        .Add(DialogItem::At(plat::DialogResult::Help, ControlKind::PushButton, "Help", 140, 187, 50, 14));
    return t;
}

bool StrictlyInside(const plat::Rect& r, plat::Point p)
{
    return p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom;
}

} // namespace

plat::Rect ContinSketchRect(const plat::Rect& g)
{
    const int left = static_cast<int>(g.left + 0.04 * g.Width());
    const int top = static_cast<int>(g.top + 0.1 * g.Height());
    return {left, top, left + static_cast<int>(0.92 * g.Width()), top + static_cast<int>(0.85 * g.Height())};
}

TContin::TContin(plat::Window* parent, int* answer, int row, double width, const TDepthTable& outline,
                 const TDepthTable& types)
    : plat::Dialog(parent, ContinTemplate()), m_answer(answer), m_row(row), m_width(width), m_upOutline(outline),
      m_upTypes(types), m_downOutline(outline), m_downTypes(types)
{
    // The selector belongs to the cross-section sheet, whose topic describes it.
    AddResponseTable({{plat::DialogResult::Help, [] { plat::Help::ShowTopic(CmId::ConcreteSection); }, {}}});
}

void TContin::SetupWindow()
{
    plat::Dialog::SetupWindow();
    const double z = m_row >= 0 && m_row < m_upOutline.GetCount() ? m_upOutline.GetDepth(m_row) : 0.0;
    m_upOutline.Add(z + kSketchStep, m_width);
    m_upTypes.Add(z + kSketchStep, 0.0);
    m_upOutline.Sort(1);
    m_upTypes.Sort(1);
    m_upRow = m_row + 1;
    m_downOutline.Add(z - kSketchStep, m_width);
    m_downTypes.Add(z - kSketchStep, 0.0);
    m_downOutline.Sort(1);
    m_downTypes.Sort(1);
    m_downRow = m_row;

    m_up.Place(*this, ContinSketchRect(GetItemRect(ContinId::Up)));
    m_down.Place(*this, ContinSketchRect(GetItemRect(ContinId::Down)));
    m_up.SetOutline(&m_upOutline, &m_upTypes);
    m_down.SetOutline(&m_downOutline, &m_downTypes);
    m_up.SetClick([this](plat::Point p) { Click(p); });
    m_down.SetClick([this](plat::Point p) { Click(p); });
    ShowChoice();
}

void TContin::Click(plat::Point p)
{
    if (m_answer && StrictlyInside(m_up.GetRect(), p))
        *m_answer = 1;
    else if (m_answer && StrictlyInside(m_down.GetRect(), p))
        *m_answer = 0;
    ShowChoice();
}

void TContin::ShowChoice()
{
    const bool up = !m_answer || *m_answer == 1;
    const plat::Color chosen{128, 192, 255};
    m_up.SetChoiceFrame(3, up ? chosen : plat::Colors::White);
    m_down.SetChoiceFrame(3, up ? plat::Colors::White : chosen);
    m_down.UpdateWindow();
    m_up.UpdateWindow();
    SetItemText(ContinId::HalfShown, m_down.IsHalf() ? "Half of Beam Shown" : "Full Beam Shown");
}
