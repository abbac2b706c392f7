#include "charts/Tdataview.h"

#include "charts/DialogResources.h"
#include "foundation/ReportText.h"

namespace {
// Room for edits beyond the text shown.
constexpr int kEditRoom = 16384;

int EditLimit() {
    const std::size_t length = g_ReportText ? g_ReportText->size() : 0;
    return static_cast<int>(std::min<std::size_t>(length + kEditRoom, 0x7fffffff));
}
} // namespace

Tdataview::Tdataview(plat::Window* parent, int) : plat::Dialog(parent, DataViewTemplate()) {
    m_edit = std::make_unique<plat::Edit>(*this, kDataEditId, EditLimit());
    AddResponseTable({{kCopyButtonId, [this] { CmCopy(); }, {}}});
    // Focusing the edit does nothing else.
    AddNotifyTable({{kDataEditId, plat::Notify::SetFocus, [] {}}});
}

Tdataview::~Tdataview() = default;

void Tdataview::SetupWindow() {
    plat::Dialog::SetupWindow();
    m_edit->SetTabStops({20, 40, 60, 80, 100, 120, 140, 160});
    m_edit->SetText(g_ReportText ? *g_ReportText : std::string());
}

void Tdataview::CmCopy() {
    m_edit->SetSelection(0, g_ReportText ? static_cast<int>(g_ReportText->size()) : -1);
    m_edit->Copy();
}

// With "Close" the text as edited comes back through the report text.
void Tdataview::CloseWindow(int result) {
    plat::Dialog::CloseWindow(result);
    if (result != plat::DialogResult::Ok)
        return;
    const std::string edited = m_edit->GetText();
    if (g_ReportText)
        *g_ReportText = edited;
    else
        g_ReportText = std::make_unique<std::string>(edited);
}

void Tdataview::SetText(const std::string& text) { m_edit->SetText(text); }

void ShowReportTextDialog(plat::Window* parent) {
    if (!g_ReportText)
        return;
    {
        Tdataview view(parent, 4001);
        (void)view.Execute();
    }
    ClearReportText();
}

void ShowTextInDataView(plat::Window* parent, const std::string& text) {
    g_ReportText = std::make_unique<std::string>(text);
    ShowReportTextDialog(parent);
}

namespace {
plat::Window* g_dataViewParent = nullptr;
} // namespace

DataViewParentScope::DataViewParentScope(plat::Window* parent) : m_previous(g_dataViewParent) {
    g_dataViewParent = parent;
}
DataViewParentScope::~DataViewParentScope() { g_dataViewParent = m_previous; }
plat::Window* DataViewParentScope::Current() { return g_dataViewParent; }
