#include "model/TMemberQuickDef.h"

#include <cmath>

TMemberQuickDef NewSectionMemberValues(double height)
{
    TMemberQuickDef q;
    q.L = static_cast<float>(3.0 * height);
    q.leftpercent = 0.0f;
    q.penetrate = 0.022f;
    q.mido2 = static_cast<float>(height);
    q.lplate = 0.15f;
    q.rplate = 0.15f;
    return q;
}

bool CompleteMemberValues(TMemberQuickDef& q, double height)
{
    const TMemberQuickDef fresh = NewSectionMemberValues(height);
    bool replaced = false;
    const auto take = [&replaced](float& value, float freshValue, bool whole) {
        if (whole)
            return;
        value = freshValue;
        replaced = true;
    };
    take(q.L, fresh.L, std::isfinite(q.L) && q.L > 0.0f);
    take(q.mido2, fresh.mido2, std::isfinite(q.mido2) && q.mido2 >= 0.0f);
    take(q.leftpercent, fresh.leftpercent, std::isfinite(q.leftpercent));
    take(q.penetrate, fresh.penetrate, std::isfinite(q.penetrate) && q.penetrate >= 0.0f);
    take(q.lplate, fresh.lplate, std::isfinite(q.lplate) && q.lplate >= 0.0f);
    take(q.rplate, fresh.rplate, std::isfinite(q.rplate) && q.rplate >= 0.0f);
    take(q.constAxialLoad, fresh.constAxialLoad, std::isfinite(q.constAxialLoad));
    return replaced;
}
