#include "model/QuickDefineFlag.h"

namespace {
int g_QuickDefineNew = 0;
} // namespace

int SetQuickDefineNew(int flag)
{
    g_QuickDefineNew = flag != 0 ? 1 : 0;
    return 1;
}

int GetQuickDefineNew()
{
    return g_QuickDefineNew;
}
