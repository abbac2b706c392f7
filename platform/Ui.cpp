#include "platform/Ui.h"

#include <algorithm>
#include <utility>

#include "foundation/Reporter.h"
#include "platform/Application.h"

namespace plat {

Ui& LiveUi();                  // QtUi.cpp
void PostToLoop(void (*fn)());  // QtUi.cpp

namespace {
Ui* g_ui = nullptr;
int g_modalDepth = 0;
void (*g_modalEndHook)() = nullptr;
} // namespace

bool Ui::PrintDialog(Printer&) { return false; }
bool Ui::PrintSetupDialog(Printer&) { return false; }

Ui& GetUi() { return g_ui ? *g_ui : LiveUi(); }
Ui* SetUi(Ui* ui) { return std::exchange(g_ui, ui); }

int ModalDepth() { return g_modalDepth; }
ModalScope::ModalScope() { ++g_modalDepth; }
ModalScope::~ModalScope() {
    if (--g_modalDepth == 0 && g_modalEndHook)
        g_modalEndHook();
}
void SetModalEndHook(void (*hook)()) { g_modalEndHook = hook; }

// Message boxes raised while a window paints wait until the paint has ended: a box shown
// inside a paint would have the window paint again behind it, and raise it again. A box
// waiting already is not queued a second time.
namespace {
struct PendingBox {
    std::string text;
    std::string caption;
    unsigned style;
    bool operator==(const PendingBox&) const = default;
};
int g_paintDepth = 0;
std::vector<PendingBox> g_pending;

void ShowPending() {
    if (g_paintDepth > 0)
        return;
    std::vector<PendingBox> boxes = std::exchange(g_pending, {});
    for (const PendingBox& box : boxes)
        MessageBox(box.text, box.caption, box.style);
}
} // namespace

PaintScope::PaintScope() { ++g_paintDepth; }
PaintScope::~PaintScope() {
    if (--g_paintDepth == 0 && !g_pending.empty())
        PostToLoop(&ShowPending);
}
bool Painting() { return g_paintDepth > 0; }

int MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    if (g_paintDepth > 0) {
        const PendingBox box{text, caption, style};
        if (std::find(g_pending.begin(), g_pending.end(), box) == g_pending.end())
            g_pending.push_back(box);
        return DefaultAnswer(style);
    }
    ModalScope modal;
    return GetUi().MessageBox(text, caption, style);
}

bool InputDialog(const std::string& caption, const std::string& prompt, std::string& text) {
    ModalScope modal;
    return GetUi().InputText(caption, prompt, text);
}

bool InputUntilTaken(const std::string& caption, const std::string& prompt, std::string& text,
                     const std::function<std::string(const std::string&)>& read) {
    for (;;) {
        if (!InputDialog(caption, prompt, text))
            return false;
        const std::string message = read(text);
        if (message.empty())
            return true;
        MessageBox(message, caption, MsgStyle::Ok | MsgStyle::IconExclamation);
    }
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
    int id = 0;
    {
        ModalScope modal;
        id = GetUi().TrackPopupMenu(items, screen);
    }
    // The choice is a command like any menu's: context help may take it.
    return id > 0 && ApplicationTakesCommand(id) ? 0 : id;
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
