#include "model/ModelSettings.h"

int g_ConcreteModelSet = 15;
int g_CrackingReductionOption = 1;
