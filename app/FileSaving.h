#pragma once
// Replacing a file safely: the content goes to a temporary file beside the target, which is
// flushed and closed and only then renamed over the target. A target that exists and is
// read-only (for the user, or by its permissions) is refused. On any failure the target is
// left as it was and the temporary file removed.

#include <string>

bool WriteFileReplacing(const std::string& path, const std::string& content);

// Copies a file byte for byte, replacing the copy; false when either file fails.
bool CopyFileReplacing(const std::string& from, const std::string& to);
