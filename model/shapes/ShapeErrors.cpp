#include "model/shapes/ShapeErrors.h"

#include <memory>

#include "foundation/ReportText.h"

void ReportShapeError(const std::string& text, int kind)
{
    if (!HasReportText()) {
        const char* header =
            kind == 0   ? kShapeLoadHeader
            : kind == 1 ? "Errors in defining Section\r\n\r\nThe following errors occured during "
                          "definition\r\n\r\n"
                        : "Errors in Something!\r\n\r\nThe following errors occured\r\n\r\n";
        g_ReportText = std::make_unique<std::string>(header);
        g_ReportText->reserve(kReportTextCapacity);
    }
    AddLoadError(text);
}
