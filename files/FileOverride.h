#pragma once
// The "File Override" preference (g_FileOverride, kept beside the unit system): while it is set,
// the unit system named by a file that is read (an XML document's units, a labelled text file's
// UNITS key, an old native file's unit system) also becomes the active unit system; while clear,
// reading leaves it alone.
#include "foundation/Units.h"
