#pragma once
// What a chart or box may ask of the window that owns it.

namespace plat {
class DC;
}
class TBoxItem;

class TMixinChartOwner {
public:
    virtual ~TMixinChartOwner() = default;
    virtual void SetActiveChart(TBoxItem* box, int kind) { (void)box, (void)kind; }
    virtual void OwnerCommand3005() {}
    virtual void OwnerCommand3006() {}
    virtual void OwnerCommand3008() {}
    virtual void OwnerCommand3009() {}
    // Draws the structure (or member) picture into a box.
    virtual void DrawStructurePicture(plat::DC& dc, int mode, int width, int height, int fill, double textScale);
    virtual void SelectLoadStage(double x, double y, int stage) { (void)x, (void)y, (void)stage; }
    virtual void OnPageClick(unsigned keyFlags, int x, int y, int code, int index) = 0;
};
