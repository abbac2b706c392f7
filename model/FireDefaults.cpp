#include "model/FireDefaults.h"

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
