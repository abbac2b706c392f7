#pragma once
// The shape error report: what went wrong while the shape library was read or a shape was
// evaluated, collected in the load-error log and shown once.

#include <string>

// Header of the report while the library is loaded.
inline constexpr const char* kShapeLoadHeader =
    "ERRORS in Loading Sections\r\n\r\nThe following errors occured during loading\r\n\r\n";

// Adds text to the load-error log, starting the report text with the header of the kind
// when it is still empty: 0 loading the library, 1 evaluating a shape, other anything else.
void ReportShapeError(const std::string& text, int kind);
