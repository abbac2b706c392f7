#pragma once
// The callout manager of the section pictures: labels with leader lines beside the section
// that name its reinforcement, and the hit tests that find them. The beam-section callouts
// come with the crack-pattern views; until then the manager draws nothing and no click finds
// a callout.

#include <memory>

#include "platform/DC.h"

class TStructure;
namespace plat {
class Window;
}

class TInfo_Base {
public:
    virtual ~TInfo_Base() = default;
    // Non-zero when a callout of the kind lies under the point; its item index goes to index.
    virtual int HitTransverse(plat::Point, int&) { return 0; }
    virtual int HitLongitudinalLayer(plat::Point, int&) { return 0; }
    virtual int HitCircularPattern(plat::Point, int&) { return 0; }
    virtual int HitDistributedPattern(plat::Point, int&) { return 0; }
    virtual int HitTendon(plat::Point, int&) { return 0; }
    virtual void SetSize(int, int) {}
    virtual void SetTextColumn(int, int) {}
    virtual void SetFontHeight(int) {}
    virtual void
    DrawAt(plat::DC&, const TStructure*, int, double, double, double, double, int, int, int, int)
    {
    }
    virtual void DrawCallouts(plat::DC&) {}
    virtual void Draw(plat::DC*, const TStructure*, int) {}
};

// The beam-section callout manager of the main window.
class TInfo_2k : public TInfo_Base {
public:
    explicit TInfo_2k(plat::Window* owner) : m_owner(owner) {}

private:
    plat::Window* m_owner;
};

extern std::unique_ptr<TInfo_Base> g_InfoManager;

// Creates the manager once; true when it exists.
int CreateInfoManager(plat::Window* owner);
// These do nothing but answer 1 while there is no manager.
int ResizeInfoManager(int width, int height);
int RedrawInfoManager(plat::DC* dc, const TStructure* structure, int flag);
int UpdateInfoManager(const TStructure* structure);
// Destroys the manager (when the document is reset); returns 1.
int ReleaseInfoManager();
