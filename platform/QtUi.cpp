// The live gateway: Qt dialogs.

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

#include "foundation/Reporter.h"
#include "platform/Ui.h"
#include "platform/qt/DialogHost.h"
#include "platform/qt/PrinterHost.h"
#include "platform/qt/QtConvert.h"

namespace plat {

namespace {

QWidget* DialogParent() { return QApplication::activeWindow(); }

QMessageBox::StandardButton ButtonFor(int answer) {
    switch (answer) {
    case MsgAnswer::Ok: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Abort: return QMessageBox::Abort;
    case MsgAnswer::Retry: return QMessageBox::Retry;
    case MsgAnswer::Ignore: return QMessageBox::Ignore;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

std::vector<int> AnswersOf(unsigned style) {
    switch (style & MsgStyle::ButtonMask) {
    case MsgStyle::OkCancel: return {MsgAnswer::Ok, MsgAnswer::Cancel};
    case MsgStyle::AbortRetryIgnore: return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
    case MsgStyle::YesNoCancel: return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
    case MsgStyle::YesNo: return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgStyle::RetryCancel: return {MsgAnswer::Retry, MsgAnswer::Cancel};
    default: return {MsgAnswer::Ok};
    }
}

// "Desc (*.a)|*.a|All (*.*)|*.*|" -> "Desc (*.a);;All (*)".
QStringList FilterList(const std::string& filter) {
    QStringList out;
    const QStringList parts = ToQ(filter).split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            continue;
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        out << QStringLiteral("%1 (%2)").arg(parts[i].section(" (", 0, 0), pattern);
    }
    return out;
}

void BuildMenu(QMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            BuildMenu(*menu.addMenu(ToQ(item.text)), item.popup);
        } else {
            QAction* a = menu.addAction(ToQ(item.text));
            a->setData(item.id);
            a->setEnabled(!item.greyed);
        }
    }
}

} // namespace

LogFont FromQFont(const QFont& font, const LogFont& original) {
    LogFont out = original;
    int pixels = font.pixelSize();
    if (pixels <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        pixels = static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0));
    }
    out.height = -std::max(1, pixels);
    out.weight = font.weight();
    out.italic = font.italic();
    out.underline = font.underline();
    if (MapFontFace(original.face) != font.family())
        out.face = FromQ(font.family());
    return out;
}

namespace {

class QtUi final : public Ui {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override {
        QMessageBox box(DialogParent());
        box.setWindowTitle(ToQ(caption));
        box.setText(ToQ(text));
        switch (style & MsgStyle::IconMask) {
        case MsgStyle::IconStop: box.setIcon(QMessageBox::Critical); break;
        case MsgStyle::IconQuestion: box.setIcon(QMessageBox::Question); break;
        case MsgStyle::IconExclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgStyle::IconInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        const std::vector<int> answers = AnswersOf(style);
        for (int a : answers)
            box.addButton(ButtonFor(a));
        const std::size_t def = (style & MsgStyle::DefButtonMask) >> 8;
        if (def < answers.size())
            box.setDefaultButton(ButtonFor(answers[def]));
        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (int a : answers)
            if (ButtonFor(a) == clicked)
                return a;
        // Closed without a button: the cancel-like answer.
        return answers.size() > 1 ? answers.back() : answers.front();
    }

    bool InputText(const std::string& caption, const std::string& prompt, std::string& text) override {
        bool ok = false;
        const QString answer = QInputDialog::getText(DialogParent(), ToQ(caption), ToQ(prompt),
                                                     QLineEdit::Normal, ToQ(text), &ok);
        if (ok)
            text = FromQ(answer);
        return ok;
    }

    bool EditText(const std::string& caption, std::string& text, bool editable) override {
        QDialog dialog(DialogParent());
        dialog.setWindowTitle(ToQ(caption));
        dialog.resize(720, 480);
        auto* layout = new QVBoxLayout(&dialog);
        auto* edit = new QPlainTextEdit(&dialog);
        QString shown = ToQ(text);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        edit->setPlainText(shown);
        edit->setReadOnly(!editable);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        QFont mono(QStringLiteral("Liberation Mono"));
        mono.setPixelSize(13);
        edit->setFont(mono);
        layout->addWidget(edit);
        auto* buttons = new QDialogButtonBox(
            editable ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::Ok, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (editable) {
            QString edited = edit->toPlainText();
            edited.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
            text = FromQ(edited);
        }
        return true;
    }

    bool ChooseFile(FileDialogKind kind, FileDialogData& data) override {
        QFileDialog dialog(DialogParent());
        dialog.setAcceptMode(kind == FileDialogKind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(kind == FileDialogKind::Open && data.mustExist ? QFileDialog::ExistingFile
                                                                          : QFileDialog::AnyFile);
        dialog.setNameFilters(FilterList(data.filter));
        dialog.setDefaultSuffix(ToQ(data.defaultExt));
        if (!data.overwritePrompt)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!data.fileName.empty())
            dialog.selectFile(ToQ(data.fileName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        data.fileName = FromQ(dialog.selectedFiles().front());
        return true;
    }

    bool ChooseFromList(const std::string& caption, const std::vector<std::string>& items, int& index) override {
        QDialog dialog(DialogParent());
        dialog.setWindowTitle(ToQ(caption));
        auto* layout = new QVBoxLayout(&dialog);
        auto* list = new QListWidget(&dialog);
        for (const std::string& item : items)
            list->addItem(ToQ(item));
        if (index >= 0 && index < list->count())
            list->setCurrentRow(index);
        layout->addWidget(list);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
        layout->addWidget(buttons);
        if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
            return false;
        index = list->currentRow();
        return true;
    }

    int TrackPopupMenu(const std::vector<MenuItem>& items, Point screen) override {
        QMenu menu(DialogParent());
        BuildMenu(menu, items);
        const QAction* chosen = menu.exec(ToQ(screen));
        return chosen ? chosen->data().toInt() : 0;
    }

    bool ChooseFont(FontDialogData& data) override {
        QFontDialog dialog(ToQFont(data.font), DialogParent());
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        dialog.setOption(QFontDialog::ScalableFonts);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        data.font = FromQFont(dialog.selectedFont(), data.font);
        return true;
    }

    bool ChooseColor(ColorDialogData& data) override {
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, ToQ(data.custom[static_cast<std::size_t>(i)]));
        QColorDialog dialog(ToQ(data.color), DialogParent());
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        const bool ok = dialog.exec() == QDialog::Accepted;
        for (int i = 0; i < 16; ++i)
            data.custom[static_cast<std::size_t>(i)] = FromQ(QColorDialog::customColor(i));
        if (ok)
            data.color = FromQ(dialog.selectedColor());
        return ok;
    }

    int RunDialog(Dialog& dialog) override { return RunLiveDialog(dialog); }
    bool PrintDialog(Printer& printer) override {
        Printer::Impl& p = printer.impl();
        p.Apply();
        const PrintSetup& s = p.setup;
        QPrintDialog dialog(&p.printer, DialogParent());
        if (s.maxPage > s.minPage) {
            dialog.setMinMax(s.minPage, s.maxPage);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        } else {
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        p.Read();
        return true;
    }

    bool PrintSetupDialog(Printer& printer) override {
        Printer::Impl& p = printer.impl();
        p.Apply();
        // The dialog draws its small page picture at a quarter of the font's point size. The
        // program's font is given in pixels and has no point size (Qt reports -1, a quarter of
        // which is no size at all), so while the dialog is up the font is the same height
        // given in points.
        const QFont programFont = QApplication::font();
        struct FontBack {
            QFont font;
            ~FontBack() { QApplication::setFont(font); }
        } back{programFont};
        if (programFont.pointSizeF() <= 0 && programFont.pixelSize() > 0) {
            QFont pointed = programFont;
            const QScreen* screen = QGuiApplication::primaryScreen();
            const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
            pointed.setPointSizeF(programFont.pixelSize() * 72.0 / (dpi > 0 ? dpi : 96.0));
            QApplication::setFont(pointed);
        }
        QPageSetupDialog dialog(&p.printer, DialogParent());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        p.Read();
        return true;
    }
};

} // namespace

namespace {
// Waits for the next modal dialog: checked at every turn of the loop (the dialog's own loop
// once it is up), at most a bounded number of turns; then painted, whole, and closed.
constexpr int kDialogTurns = 10000;
void WhenDialogUpPainted(std::function<void(QDialog&)> then, int turns = 0) {
    QTimer::singleShot(0, qApp, [then = std::move(then), turns]() mutable {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == nullptr) {
            if (turns < kDialogTurns)
                WhenDialogUpPainted(std::move(then), turns + 1);
            return;
        }
        (void)modal->grab();  // every part painted through its own paint events
        then(*modal);
    });
}
} // namespace

void CloseNextLiveDialogPainted(bool accept) {
    WhenDialogUpPainted([accept](QDialog& modal) { accept ? modal.accept() : modal.reject(); });
}
void CloseNextLiveDialog(bool accept) {
    QTimer::singleShot(0, [accept] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            accept ? modal->accept() : modal->reject();
    });
}

namespace {
ShownFont Shown(const QFont& font) {
    ShownFont shown;
    shown.points = std::max(0.0, font.pointSizeF());
    shown.pixels = std::max(0, font.pixelSize());
    shown.drawnPixels = QFontInfo(font).pixelSize();
    return shown;
}
} // namespace

ShownFont ProgramFont() { return Shown(QApplication::font()); }

void CloseNextLiveDialogPainted(bool accept, ShownFont& seen) {
    WhenDialogUpPainted([accept, &seen](QDialog& modal) {
        seen = Shown(modal.font());
        accept ? modal.accept() : modal.reject();
    });
}
void PostToLoop(void (*fn)()) { QTimer::singleShot(0, qApp, fn); }

namespace {
QtMessageLog* g_messageLog = nullptr;
QtMessageHandler g_previousHandler = nullptr;
} // namespace

QtMessageLog::QtMessageLog() : m_previous(g_messageLog) {
    g_messageLog = this;
    if (!m_previous)
        g_previousHandler = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (g_messageLog)
                g_messageLog->messages.push_back(FromQ(text));
        });
}

QtMessageLog::~QtMessageLog() {
    g_messageLog = m_previous;
    if (!m_previous)
        qInstallMessageHandler(g_previousHandler);
}

Ui& LiveUi() {
    static QtUi ui;
    return ui;
}

} // namespace plat
