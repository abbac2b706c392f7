#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include "foundation/Reporter.h"

namespace {
// Installed for the whole test program: a dialog that no script expects fails the test at
// once instead of waiting for a user.
class UnexpectedUi final : public plat::Ui {
public:
    UnexpectedUi() { plat::SetUi(this); }
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        ADD_FAILURE() << "unscripted message box: " << text;
        return MsgAnswer::Cancel;
    }
    bool InputText(const std::string&, const std::string& prompt, std::string&) override {
        ADD_FAILURE() << "unscripted input dialog: " << prompt;
        return false;
    }
    bool EditText(const std::string& caption, std::string&, bool) override {
        ADD_FAILURE() << "unscripted text dialog: " << caption;
        return false;
    }
    bool ChooseFile(plat::FileDialogKind, plat::FileDialogData&) override {
        ADD_FAILURE() << "unscripted file dialog";
        return false;
    }
    bool ChooseFromList(const std::string& caption, const std::vector<std::string>&, int&) override {
        ADD_FAILURE() << "unscripted list dialog: " << caption;
        return false;
    }
    int TrackPopupMenu(const std::vector<plat::MenuItem>&, plat::Point) override {
        ADD_FAILURE() << "unscripted popup menu";
        return 0;
    }
    bool ChooseFont(plat::FontDialogData&) override {
        ADD_FAILURE() << "unscripted font dialog";
        return false;
    }
    bool ChooseColor(plat::ColorDialogData&) override {
        ADD_FAILURE() << "unscripted colour dialog";
        return false;
    }
    int RunDialog(plat::Dialog& dialog) override {
        ADD_FAILURE() << "unscripted dialog: " << dialog.GetCaption();
        plat::DialogDriver(dialog).PressEscape();
        return plat::DialogResult::Cancel;
    }
};
UnexpectedUi g_unexpectedUi;
} // namespace

ScriptedUi::ScriptedUi() : m_previous(plat::SetUi(this)) {}

ScriptedUi::~ScriptedUi() {
    plat::SetUi(m_previous);
    for (const Step& s : m_script)
        ADD_FAILURE() << "scripted " << s.kind << " \"" << s.fragment << "\" was never requested";
}

namespace {
std::function<void()> TakeDuring(std::function<void()>& pending) {
    std::function<void()> out = std::move(pending);
    pending = nullptr;
    return out;
}
} // namespace

ScriptedUi::Step& ScriptedUi::Push(const std::string& kind, const std::string& fragment) {
    Step& s = m_script.emplace_back();
    s.kind = kind;
    s.fragment = fragment;
    s.during = TakeDuring(m_pendingDuring);
    return s;
}

ScriptedUi& ScriptedUi::While(std::function<void()> action) {
    m_pendingDuring = std::move(action);
    return *this;
}

ScriptedUi& ScriptedUi::Message(const std::string& fragment, int answer) {
    Push("message", fragment).answer = answer;
    return *this;
}

ScriptedUi& ScriptedUi::Input(const std::string& fragment, std::optional<std::string> answer) {
    Push("input", fragment).textAnswer = std::move(answer);
    return *this;
}

ScriptedUi& ScriptedUi::Text(std::function<bool(std::string&)> edit) {
    Push("text", "").edit = std::move(edit);
    return *this;
}

ScriptedUi& ScriptedUi::File(plat::FileDialogKind kind, std::optional<std::string> name) {
    Step& s = Push("file", "");
    s.fileKind = kind;
    s.textAnswer = std::move(name);
    return *this;
}

ScriptedUi& ScriptedUi::List(std::optional<int> index) {
    Push("list", "").index = index;
    return *this;
}

ScriptedUi& ScriptedUi::Answer(const std::string& kind, int answer) {
    Push(kind, "").answer = answer;
    return *this;
}

ScriptedUi& ScriptedUi::Font(std::function<bool(plat::FontDialogData&)> choose) {
    Push("font", "").font = std::move(choose);
    return *this;
}

ScriptedUi& ScriptedUi::Colour(std::function<bool(plat::ColorDialogData&)> choose) {
    Push("colour", "").colour = std::move(choose);
    return *this;
}

ScriptedUi& ScriptedUi::Dialog(const std::string& captionFragment, std::function<void(plat::DialogDriver&)> work) {
    Push("dialog", captionFragment).dialog = std::move(work);
    return *this;
}

ScriptedUi& ScriptedUi::Popup(int id) { return Answer("popup", id); }
ScriptedUi& ScriptedUi::LivePopup() {
    Push("popup", "").live = true;
    return *this;
}
ScriptedUi& ScriptedUi::Print(bool ok) { return Answer("print", ok ? 1 : 0); }
ScriptedUi& ScriptedUi::PrintSetup(bool ok) { return Answer("print setup", ok ? 1 : 0); }

std::optional<ScriptedUi::Step> ScriptedUi::Take(const std::string& kind, const std::string& text) {
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected " << kind << " request: \"" << text << "\"";
        return std::nullopt;
    }
    Step s = m_script.front();
    if (s.kind != kind || text.find(s.fragment) == std::string::npos) {
        ADD_FAILURE() << "expected " << s.kind << " \"" << s.fragment << "\", got " << kind << " \""
                      << text << "\"";
        return std::nullopt;
    }
    m_script.pop_front();
    if (s.during)
        s.during();
    return s;
}

int ScriptedUi::Count(const std::string& fragment) const {
    int n = 0;
    for (const UiRequest& r : requests)
        if (r.text.find(fragment) != std::string::npos)
            ++n;
    return n;
}

int ScriptedUi::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    requests.push_back({"message", text, caption, style});
    const auto step = Take("message", text);
    if (!step) {
        // The answer that abandons whatever asked.
        switch (style & MsgStyle::ButtonMask) {
        case MsgStyle::YesNoCancel:
        case MsgStyle::OkCancel:
        case MsgStyle::RetryCancel: return MsgAnswer::Cancel;
        case MsgStyle::YesNo: return MsgAnswer::No;
        default: return DefaultAnswer(style);
        }
    }
    return step->answer;
}

bool ScriptedUi::InputText(const std::string& caption, const std::string& prompt, std::string& text) {
    requests.push_back({"input", prompt, caption, 0});
    lastOffered = text;
    const auto step = Take("input", prompt);
    if (!step || !step->textAnswer)
        return false;
    text = *step->textAnswer;
    return true;
}

bool ScriptedUi::EditText(const std::string& caption, std::string& text, bool) {
    requests.push_back({"text", text, caption, 0});
    const auto step = Take("text", text);
    return step && step->edit && step->edit(text);
}

bool ScriptedUi::ChooseFile(plat::FileDialogKind kind, plat::FileDialogData& data) {
    const std::string what = kind == plat::FileDialogKind::Open ? "open" : "save";
    requests.push_back({"file", what, "", 0});
    lastProposedFile = data.fileName;
    const auto step = Take("file", what);
    if (!step || step->fileKind != kind || !step->textAnswer)
        return false;
    data.fileName = *step->textAnswer;
    return true;
}

bool ScriptedUi::ChooseFromList(const std::string& caption, const std::vector<std::string>&, int& index) {
    requests.push_back({"list", caption, caption, 0});
    const auto step = Take("list", caption);
    if (!step || !step->index)
        return false;
    index = *step->index;
    return true;
}

int ScriptedUi::TrackPopupMenu(const std::vector<plat::MenuItem>& items, plat::Point screen) {
    requests.push_back({"popup", "", "", 0});
    const auto step = Take("popup", "");
    if (step && step->live) {
        plat::Ui* mine = plat::SetUi(nullptr);
        const int id = plat::GetUi().TrackPopupMenu(items, screen);
        plat::SetUi(mine);
        return id;
    }
    return step ? step->answer : 0;
}

bool ScriptedUi::ChooseFont(plat::FontDialogData& data) {
    requests.push_back({"font", data.font.face, "", 0});
    const auto step = Take("font", data.font.face);
    return step && step->font && step->font(data);
}

bool ScriptedUi::ChooseColor(plat::ColorDialogData& data) {
    requests.push_back({"colour", "", "", 0});
    const auto step = Take("colour", "");
    return step && step->colour && step->colour(data);
}

ScriptedUi& ScriptedUi::DataView(std::function<bool(std::string& text)> edit) {
    return Dialog("View Data", [edit = std::move(edit)](plat::DialogDriver& d) {
        constexpr int kDataEdit = 4028;
        std::string text = d.Text(kDataEdit);
        if (edit(text)) {
            d.Type(kDataEdit, text);
            d.Click(plat::DialogResult::Ok);
        } else {
            d.Click(plat::DialogResult::Cancel);
        }
    });
}

int ScriptedUi::RunDialog(plat::Dialog& dialog) {
    const std::string caption = dialog.GetCaption();
    requests.push_back({"dialog", caption, caption, 0});
    plat::DialogDriver driver(dialog);
    driver.Show();
    const auto step = Take("dialog", caption);
    if (step && step->dialog) {
        try {
            step->dialog(driver);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        if (!driver.Ended())
            ADD_FAILURE() << "the script left dialog \"" << caption << "\" open";
    }
    if (!driver.Ended())
        driver.PressEscape();
    return driver.Result();
}

bool ScriptedUi::PrintDialog(plat::Printer&) {
    requests.push_back({"print", "", "", 0});
    const auto step = Take("print", "");
    return step && step->answer != 0;
}

bool ScriptedUi::PrintSetupDialog(plat::Printer&) {
    requests.push_back({"print setup", "", "", 0});
    const auto step = Take("print setup", "");
    return step && step->answer != 0;
}
