#pragma once
// The window's current analysis run to its end by the idle loop, as the program runs it, then
// one idle pass more for what the end of a run shows.

#include "app/TQuarvishWindow.h"

inline void RunToEnd(TQuarvishWindow& window)
{
    for (long pass = 0; pass < 400000 && window.GetCurrentAnalysis() && window.GetCurrentAnalysis()->IsRunning();
         ++pass)
        window.IdleAction(pass);
    window.IdleAction(0);
}
