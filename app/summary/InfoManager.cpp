#include "app/summary/InfoManager.h"

std::unique_ptr<TInfo_Base> g_InfoManager;

int CreateInfoManager(plat::Window* owner)
{
    if (!g_InfoManager)
        g_InfoManager = std::make_unique<TInfo_2k>(owner);
    return g_InfoManager ? 1 : 0;
}

int ResizeInfoManager(int width, int height)
{
    if (g_InfoManager)
        g_InfoManager->SetSize(width, height);
    return 1;
}

int RedrawInfoManager(plat::DC* dc, const TStructure* structure, int flag)
{
    if (g_InfoManager)
        g_InfoManager->Draw(dc, structure, flag);
    return 1;
}

int UpdateInfoManager(const TStructure* structure)
{
    if (g_InfoManager)
        g_InfoManager->Draw(nullptr, structure, 0);
    return 1;
}

int ReleaseInfoManager()
{
    g_InfoManager.reset();
    return 1;
}
