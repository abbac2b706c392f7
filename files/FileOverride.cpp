#include "files/FileOverride.h"

int g_FileOverride = 0;
