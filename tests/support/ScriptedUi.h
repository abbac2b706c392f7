#pragma once
// A gateway for modal interactions that answers from a script. Every request is recorded;
// a request that the script does not expect fails the test and gets a cancel-like answer,
// so no test can wait on a dialog. Steps left unused when the object goes fail the test too.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Ui.h"

struct UiRequest {
    std::string kind;     // "message", "input", "text", "file", "list", "popup", "print",
                          // "print setup", "font", "colour", "dialog"
    std::string text;     // message text, prompt, or the data text shown
    std::string caption;
    unsigned style = 0;
};

class ScriptedUi final : public plat::Ui {
public:
    ScriptedUi();
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // A message box whose text contains the fragment, answered with a MsgAnswer value.
    ScriptedUi& Message(const std::string& fragment, int answer);
    // An input dialog whose prompt contains the fragment: answered with the text, or
    // cancelled when none is given.
    ScriptedUi& Input(const std::string& fragment, std::optional<std::string> answer);
    // The data dialog: the edit function changes the text and returns OK (true) or Cancel.
    ScriptedUi& Text(std::function<bool(std::string& text)> edit);
    // The program's "View Data" dialog worked the same way: its text edited, then "Close"
    // (true) or Cancel pressed.
    ScriptedUi& DataView(std::function<bool(std::string& text)> edit);
    // A file dialog of the kind: the chosen name, or cancelled.
    ScriptedUi& File(plat::FileDialogKind kind, std::optional<std::string> name);
    // A list choice: the index chosen, or cancelled.
    ScriptedUi& List(std::optional<int> index);
    ScriptedUi& Popup(int id);
    // A popup menu shown for real (the live gateway's), to be worked by keys and clicks
    // (plat::FrameDriver::WhenMenuOpens); answered with what was chosen there.
    ScriptedUi& LivePopup();
    // The font and colour dialogs: the function edits the data and returns OK (true) or Cancel.
    ScriptedUi& Font(std::function<bool(plat::FontDialogData&)> choose);
    ScriptedUi& Colour(std::function<bool(plat::ColorDialogData&)> choose);
    // A dialog of the program whose caption contains the fragment: the function works it
    // through the driver (typing, clicking, reading). A dialog the function leaves open fails
    // the test and is cancelled.
    ScriptedUi& Dialog(const std::string& captionFragment, std::function<void(plat::DialogDriver&)> work);
    // The print dialog and the printer set-up dialog: OK or cancelled.
    ScriptedUi& Print(bool ok);
    ScriptedUi& PrintSetup(bool ok);
    // Runs while the next expected interaction is open (for example, pumping the loop).
    ScriptedUi& While(std::function<void()> action);

    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
    bool InputText(const std::string& caption, const std::string& prompt, std::string& text) override;
    bool EditText(const std::string& caption, std::string& text, bool editable) override;
    bool ChooseFile(plat::FileDialogKind kind, plat::FileDialogData& data) override;
    bool ChooseFromList(const std::string& caption, const std::vector<std::string>& items, int& index) override;
    int TrackPopupMenu(const std::vector<plat::MenuItem>& items, plat::Point screen) override;
    bool ChooseFont(plat::FontDialogData& data) override;
    bool ChooseColor(plat::ColorDialogData& data) override;
    int RunDialog(plat::Dialog& dialog) override;
    bool PrintDialog(plat::Printer& printer) override;
    bool PrintSetupDialog(plat::Printer& printer) override;

    bool Done() const { return m_script.empty(); }
    int Count(const std::string& fragment) const;

    std::vector<UiRequest> requests;
    // The text the last input dialog offered.
    std::string lastOffered;
    // The name the last file dialog proposed.
    std::string lastProposedFile;

private:
    struct Step {
        std::string kind;
        std::string fragment;
        int answer = 0;
        std::optional<std::string> textAnswer;
        std::function<bool(std::string&)> edit;
        std::optional<int> index;
        plat::FileDialogKind fileKind = plat::FileDialogKind::Open;
        std::function<void()> during;
        std::function<bool(plat::FontDialogData&)> font;
        std::function<bool(plat::ColorDialogData&)> colour;
        std::function<void(plat::DialogDriver&)> dialog;
        bool live = false;
    };
    // A new last step of the kind, taking the pending While action.
    Step& Push(const std::string& kind, const std::string& fragment);
    // A step of the kind answered with a number.
    ScriptedUi& Answer(const std::string& kind, int answer);
    // The next step when it is of the kind and matches the text; null (test failed) otherwise.
    std::optional<Step> Take(const std::string& kind, const std::string& text);

    std::deque<Step> m_script;
    std::function<void()> m_pendingDuring;
    plat::Ui* m_previous;
};
