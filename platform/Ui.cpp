#include "platform/Ui.h"

#include <utility>

#include "foundation/Reporter.h"

namespace plat {

Ui& LiveUi();  // QtUi.cpp

namespace {
Ui* g_ui = nullptr;
int g_modalDepth = 0;
void (*g_modalEndHook)() = nullptr;
} // namespace

Ui& GetUi() { return g_ui ? *g_ui : LiveUi(); }
Ui* SetUi(Ui* ui) { return std::exchange(g_ui, ui); }

int ModalDepth() { return g_modalDepth; }
ModalScope::ModalScope() { ++g_modalDepth; }
ModalScope::~ModalScope() {
    if (--g_modalDepth == 0 && g_modalEndHook)
        g_modalEndHook();
}
void SetModalEndHook(void (*hook)()) { g_modalEndHook = hook; }

int MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    ModalScope modal;
    return GetUi().MessageBox(text, caption, style);
}

bool InputDialog(const std::string& caption, const std::string& prompt, std::string& text) {
    ModalScope modal;
    return GetUi().InputText(caption, prompt, text);
}

bool DataDialog(const std::string& caption, std::string& text, bool editable) {
    ModalScope modal;
    return GetUi().EditText(caption, text, editable);
}

bool FileDialog(FileDialogKind kind, FileDialogData& data) {
    ModalScope modal;
    return GetUi().ChooseFile(kind, data);
}

bool ListDialog(const std::string& caption, const std::vector<std::string>& items, int& index) {
    ModalScope modal;
    return GetUi().ChooseFromList(caption, items, index);
}

int PopupMenu(const std::vector<MenuItem>& items, Point screen) {
    ModalScope modal;
    return GetUi().TrackPopupMenu(items, screen);
}

bool FontDialog(FontDialogData& data) {
    ModalScope modal;
    return GetUi().ChooseFont(data);
}

bool ColorDialog(ColorDialogData& data) {
    ModalScope modal;
    return GetUi().ChooseColor(data);
}

const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, int id) {
    for (const MenuItem& item : items) {
        if (!item.IsPopup() && item.id == id && !item.IsSeparator())
            return &item;
        if (const MenuItem* found = FindMenuItem(item.popup, id))
            return found;
    }
    return nullptr;
}

namespace {
class GatewayReporter final : public Reporter {
public:
    int Message(const std::string& text, const std::string& caption, unsigned style) override {
        return MessageBox(text, caption, style);
    }
    void ShowData(const std::string& text) override {
        std::string copy = text;
        DataDialog("View Data", copy, false);
    }
};
} // namespace

struct UiReporterScope::Impl {
    GatewayReporter reporter;
    Reporter* previous = nullptr;
};

UiReporterScope::UiReporterScope() : m_impl(new Impl) { m_impl->previous = SetReporter(&m_impl->reporter); }
UiReporterScope::~UiReporterScope() {
    SetReporter(m_impl->previous);
    delete m_impl;
}

} // namespace plat
