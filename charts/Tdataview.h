#pragma once
// "View Data": the dialog that shows the shared report text, lets the engineer edit and copy
// it, and hands the edited text back through the report text when closed with "Close".

#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Dialog.h"

inline constexpr int kCopyButtonId = 4027;
inline constexpr int kDataEditId = 4028;

class Tdataview : public plat::Dialog {
public:
    // The report text must hold a text when the dialog is made.
    Tdataview(plat::Window* parent, int resourceId);
    ~Tdataview() override;

    void SetupWindow() override;
    // Copies the whole text to the clipboard.
    void CmCopy();
    void CloseWindow(int result) override;
    void SetText(const std::string& text);

private:
    std::unique_ptr<plat::Edit> m_edit;
};

// Shows the report text in "View Data" over the window, then frees it. Nothing happens
// without a report text.
void ShowReportTextDialog(plat::Window* parent);
// Shows the text in "View Data" over the window (the report text holds it while the dialog is
// up and is freed afterwards).
void ShowTextInDataView(plat::Window* parent, const std::string& text);

// While one lives, the texts the computing code shows (ShowDataText) open "View Data" over its
// window, where the window's reporter would otherwise open it over the main window.
class DataViewParentScope {
public:
    explicit DataViewParentScope(plat::Window* parent);
    ~DataViewParentScope();
    DataViewParentScope(const DataViewParentScope&) = delete;
    DataViewParentScope& operator=(const DataViewParentScope&) = delete;
    // The window of the innermost scope; null outside every scope.
    static plat::Window* Current();

private:
    plat::Window* m_previous;
};
