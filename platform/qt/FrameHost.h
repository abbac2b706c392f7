#pragma once
// The Qt main window behind a Frame and the frame's widgets; only the layer's own .cpp files
// see them.

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QShortcut>
#include <QToolBar>
#include <QUrl>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/WindowHost.h"

namespace plat {

class FrameHost final : public QMainWindow {
public:
    explicit FrameHost(Frame& frame) : m_frame(&frame) { setAcceptDrops(true); }
    void Detach() { m_frame = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override {
        // A long command is showing its progress: the program stays until it is done.
        if (ShowingNow()) {
            event->ignore();
            return;
        }
        Application* app = GetApplication();
        const bool ok = !m_frame ? true
                        : (app && app->GetMainWindow() == m_frame) ? app->CanClose()
                                                                   : m_frame->CanClose();
        if (ok)
            event->accept();
        else
            event->ignore();
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        std::vector<std::string> files;
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile())
                files.push_back(FromQ(url.toLocalFile()));
        if (m_frame && !files.empty()) {
            event->acceptProposedAction();
            m_frame->DropFiles(files);
        }
    }

private:
    Frame* m_frame;
};

// Marks the popups of a frame's menu bar with the frame they belong to.
inline constexpr const char* kFrameMenuProperty = "plat_frameMenu";

struct Frame::FrameImpl {
    QPointer<FrameHost> host;
    std::string title;
    std::map<int, QPointer<QAction>> menuActions;
    std::map<int, QPointer<QAction>> toolActions;
    std::vector<int> toolOrder;
    std::map<int, QPointer<QLabel>> gadgets;
    std::map<int, QPointer<QLabel>> toolTexts;
    std::vector<ToolGadget> toolGadgets;
    // The group the next exclusive button joins (none after any other gadget).
    QPointer<QActionGroup> exclusiveGroup;
    std::vector<QPointer<QAction>> dynamicActions;
    QPointer<QLabel> message;
    QPointer<QToolBar> toolBar;
    std::vector<QPointer<QShortcut>> shortcuts;
    std::function<std::string(int)> hints;
    std::function<void(const std::vector<std::string>&)> drop;
    std::string toolBarCaption;
    std::string messageBeforeMenu;
    // The message a tool-bar button's hint stands in for, while it shows.
    std::string messageBeforeHint;
    bool toolHintShown = false;
    Size fixedClient;
};

// The command of a menu's highlighted item (0 when none is, or it opens a popup).
int HighlightedCommand(const QMenu* menu);

} // namespace plat
