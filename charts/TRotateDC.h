#pragma once
// A device context that turns positions about a centre: lines, ellipse centres and text
// reference points are rotated; glyphs and ellipse boxes keep their orientation (a caller
// wanting turned glyphs gives the font an escapement). With y growing downward a positive
// angle turns clockwise on the screen.

#include "platform/DC.h"

// (px, py) turned about (cx, cy) by the angle (radians); points within a pixel of the centre's
// row or column count as on it.
plat::Point RotateAbout(double px, double py, double cx, double cy, double angle);
// The same with exact tests for the row and column, without truncating (ellipse centres).
void RotateExact(double px, double py, double cx, double cy, double angle, double& x, double& y);

class TRotateDC : public plat::DC {
public:
    explicit TRotateDC(plat::Device& device) : plat::DC(device) {}
    explicit TRotateDC(plat::Image& image) : plat::DC(image) {}

    bool SetCentre(int x, int y);
    bool SetAngle(double radians);
    double CentreX() const { return m_cx; }
    double CentreY() const { return m_cy; }
    double Angle() const { return m_angle; }

    using plat::DC::LineTo;
    using plat::DC::MoveTo;
    using plat::DC::TextOut;
    plat::Point MoveTo(plat::Point p) override;
    void LineTo(plat::Point p) override;
    void Ellipse(const plat::Rect& r) override;
    void TextOut(plat::Point p, const std::string& utf8) override;

private:
    plat::Point Turn(plat::Point p) const { return RotateAbout(p.x, p.y, m_cx, m_cy, m_angle); }

    double m_cx = 0.0;
    double m_cy = 0.0;
    double m_angle = 0.0;
};
