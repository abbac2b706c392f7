#include "dialogs/SectionSketch.h"

#include "app/summary/DepthProfile.h"
#include "foundation/TDepthTable.h"

void TSectionSketch::Place(plat::Window& dialog, const plat::Rect& rect)
{
    m_rect = rect;
    if (!IsCreated())
        Create(&dialog);
    MoveWindow({rect.left - kFrame, rect.top - kFrame, rect.right, rect.bottom});
}

void TSectionSketch::SetOutline(const TDepthTable* outline, const TDepthTable* types, int marked)
{
    m_outline = outline;
    m_types = types;
    m_marked = marked;
    if (IsCreated())
        Invalidate();
}

void TSectionSketch::SetMarked(int marked)
{
    m_marked = marked;
    if (IsCreated())
        Invalidate();
}

void TSectionSketch::SetChoiceFrame(int width, plat::Color colour)
{
    m_choiceWidth = width;
    m_choice = colour;
    if (IsCreated())
        Invalidate();
}

void TSectionSketch::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    dc.FillRect({0, 0, w + kFrame, h + kFrame}, plat::GetSysColor(plat::SysColor::Face3D));
    const plat::Color shadow = plat::GetSysColor(plat::SysColor::Shadow3D);
    dc.FillRect({0, 0, w + kFrame, kFrame}, shadow);
    dc.FillRect({0, 0, kFrame, h + kFrame}, shadow);
    static const TDepthTable kEmpty("empty");
    m_half = DrawDepthTableProfileDC(dc, kFrame, kFrame, w, h, m_outline ? *m_outline : kEmpty, m_types, m_marked);
    for (int i = 0; i < m_choiceWidth; ++i) {
        const plat::Rect r{kFrame + i, kFrame + i, kFrame + w - i, kFrame + h - i};
        dc.FillRect({r.left, r.top, r.right, r.top + 1}, m_choice);
        dc.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, m_choice);
        dc.FillRect({r.left, r.top, r.left + 1, r.bottom}, m_choice);
        dc.FillRect({r.right - 1, r.top, r.right, r.bottom}, m_choice);
    }
}

int TSectionSketch::BandAt(plat::Point inDialog) const
{
    if (!m_outline)
        return -1;
    return HitTestDepthTableProfile(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), *m_outline, m_types,
                                    inDialog.x, inDialog.y);
}

void TSectionSketch::EvLButtonDown(unsigned, plat::Point p)
{
    if (m_click)
        m_click({p.x + m_rect.left - kFrame, p.y + m_rect.top - kFrame});
}
