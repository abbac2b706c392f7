#pragma once
// The author text that new beams and shells are given: empty at start, replaced by the
// author of the last file the main window loaded.

#include <string>

extern std::string g_DefaultDoneBy;
