#pragma once
// The one gateway for every modal interaction: message boxes, the input dialog, the text
// ("View Data") dialog, file dialogs, list choices, popup menus, the font and colour dialogs
// and the program's own dialogs (Dialog::Execute).
//
// The live gateway shows Qt dialogs; tests install a scripted one that answers from a
// script. The free functions below are what program code calls: they count as modal, so
// idle work never runs while one of them is open.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/Menu.h"
#include "platform/Types.h"

namespace plat {

class Printer;

enum class FileDialogKind { Open, Save };

// What the file dialogs work over. filter holds bar-separated pairs of description and
// pattern ("Quarvish Files (*.qvh)|*.qvh|All Files (*.*)|*.*|").
struct FileDialogData {
    std::string filter;
    std::string defaultExt;
    std::string fileName;  // in: proposed name; out: the chosen file
    bool mustExist = true;
    bool overwritePrompt = true;
};

// What the font dialog works over: the font in pixel heights (a negative height is the
// character height).
struct FontDialogData {
    LogFont font;
};

// What the colour dialog works over: the colour and the sixteen custom colours.
struct ColorDialogData {
    Color color = Colors::Black;
    std::array<Color, 16> custom{};
};

class Dialog;

class Ui {
public:
    virtual ~Ui() = default;
    // Returns the button chosen (MsgAnswer values; the style uses MsgStyle bits).
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
    // Edits text in a one-line input dialog; true on OK (text changed only then).
    virtual bool InputText(const std::string& caption, const std::string& prompt, std::string& text) = 0;
    // Shows text in the data dialog; when editable, true on OK with the edited text.
    virtual bool EditText(const std::string& caption, std::string& text, bool editable) = 0;
    virtual bool ChooseFile(FileDialogKind kind, FileDialogData& data) = 0;
    // Picks one of the items; index in: the one selected first, out: the one chosen.
    virtual bool ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                                int& index) = 0;
    // Opens a popup menu at a screen point; the chosen command id, or 0.
    virtual int TrackPopupMenu(const std::vector<MenuItem>& items, Point screen) = 0;
    // True on OK with the data changed.
    virtual bool ChooseFont(FontDialogData& data) = 0;
    virtual bool ChooseColor(ColorDialogData& data) = 0;
    // Runs a created dialog until it ends; the id it ended with.
    virtual int RunDialog(Dialog& dialog) = 0;
    // The print dialog over the printer (page range, copies); true on OK. The base answers no.
    virtual bool PrintDialog(Printer& printer);
    // The printer's set-up dialog (orientation, paper); true on OK. The base answers no.
    virtual bool PrintSetupDialog(Printer& printer);
};

// The installed gateway (the live one unless another was installed).
Ui& GetUi();
// Installs a gateway (null restores the live one); returns the previous one.
Ui* SetUi(Ui* ui);

class ScopedUi {
public:
    explicit ScopedUi(Ui& ui) : m_previous(SetUi(&ui)) {}
    ~ScopedUi() { SetUi(m_previous); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

private:
    Ui* m_previous;
};

// Modal depth: above 0 while any modal interaction is open.
int ModalDepth();
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// A message box raised while a window paints (inside a PaintScope) is shown once the paint
// has ended, from the loop, and answers its default button to the painting code; the same box
// raised again before then is shown once.
int MessageBox(const std::string& text, const std::string& caption, unsigned style);

// Open while a window paints (the layer opens it around every Paint).
class PaintScope {
public:
    PaintScope();
    ~PaintScope();
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
};
bool Painting();
bool InputDialog(const std::string& caption, const std::string& prompt, std::string& text);
// Asks until the answer is taken: read returns the message for an answer it refuses (shown
// with the caption, and the answer asked for again) or empty when it took it. False when the
// user cancelled.
bool InputUntilTaken(const std::string& caption, const std::string& prompt, std::string& text,
                     const std::function<std::string(const std::string&)>& read);
bool DataDialog(const std::string& caption, std::string& text, bool editable);
bool FileDialog(FileDialogKind kind, FileDialogData& data);
bool ListDialog(const std::string& caption, const std::vector<std::string>& items, int& index);
// The command chosen from a popup menu, or 0: none was chosen, or the application took the
// choice before it was sent (context help shows its topic instead).
int PopupMenu(const std::vector<MenuItem>& items, Point screen);
bool FontDialog(FontDialogData& data);
bool ColorDialog(ColorDialogData& data);

// Routes the computing code's reporter through the gateway while it lives.
class UiReporterScope {
public:
    UiReporterScope();
    ~UiReporterScope();
    UiReporterScope(const UiReporterScope&) = delete;
    UiReporterScope& operator=(const UiReporterScope&) = delete;

private:
    struct Impl;
    Impl* m_impl;
};

// Tests of the live gateway: the next modal Qt dialog that opens is closed at once with OK
// (accept) or Cancel, keeping what it was opened with.
void CloseNextLiveDialog(bool accept);
// The same once the dialog and everything in it have been painted.
void CloseNextLiveDialogPainted(bool accept);

// A font as a window shows it: the size in points it was given (0 when given in pixels), the
// size in pixels it was given (0 when given in points), and the height in pixels of its
// characters on the screen.
struct ShownFont {
    double points = 0;
    int pixels = 0;
    int drawnPixels = 0;
};
// The program's font, which its windows and dialogs show unless told otherwise.
ShownFont ProgramFont();
// Tests of the live gateway: as above, and the font the dialog shows is kept in seen (which
// must outlive the dialog) just before it is closed.
void CloseNextLiveDialogPainted(bool accept, ShownFont& seen);

// Tests: the messages Qt logs (warnings among them) while the object lives.
class QtMessageLog {
public:
    QtMessageLog();
    ~QtMessageLog();
    QtMessageLog(const QtMessageLog&) = delete;
    QtMessageLog& operator=(const QtMessageLog&) = delete;
    std::vector<std::string> messages;

private:
    QtMessageLog* m_previous;
};

// Called whenever the modal depth returns to 0 (the idle driver resumes).
void SetModalEndHook(void (*hook)());

} // namespace plat
