#include "model/FireDefaults.h"

#include <cmath>

int GetDefaultFireData(
    int& exposure, int& type, int& rebarperform, double& time, double& constanttemp)
{
    exposure = 7;
    type = 0;
    rebarperform = 0;
    time = 1800.0;
    constanttemp = 1000.0;
    return 1;
}

int IsDefaultFireData(int exposure, int type, int rebarperform, double time, double constanttemp)
{
    int e = 0;
    int t = 0;
    int r = 0;
    double seconds = 0.0;
    double temperature = 0.0;
    GetDefaultFireData(e, t, r, seconds, temperature);
    return exposure == e && type == t && rebarperform == r && std::fabs(time - seconds) <= 60.0 &&
                   std::fabs(constanttemp - temperature) <= 1.0
               ? 1
               : 0;
}
