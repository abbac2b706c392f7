#pragma once
// The quick-define wizard's "new section" flag. The wizard offers its own defaults only while
// the flag is set: a section started afresh sets it (1), reading a beam file clears it (0),
// because the wizard's record no longer describes a beam that came from a file.

// Sets the flag (any non-zero value counts as 1); returns 1.
int SetQuickDefineNew(int flag);
// The flag last set; 0 at start.
int GetQuickDefineNew();
