#include "platform/Services.h"

#include <QBuffer>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include <algorithm>
#include <utility>

#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/Picture.h"
#include "platform/qt/QtConvert.h"
#include "platform/Ui.h"

namespace plat {

// ---- Recent files ------------------------------------------------------------------------

RecentFiles::RecentFiles(std::string iniPath, int maxEntries, int maxMenuText)
    : m_iniPath(std::move(iniPath)), m_maxEntries(maxEntries), m_maxMenuText(maxMenuText) {}

std::vector<std::string> RecentFiles::Entries() const {
    QSettings ini(ToQ(m_iniPath), QSettings::IniFormat);
    std::vector<std::string> out;
    for (int i = 1; i <= m_maxEntries; ++i) {
        const QString v = ini.value(QStringLiteral("Recent Files/File%1").arg(i)).toString();
        if (!v.isEmpty())
            out.push_back(FromQ(v));
    }
    return out;
}

void RecentFiles::Store(const std::vector<std::string>& entries) const {
    QSettings ini(ToQ(m_iniPath), QSettings::IniFormat);
    ini.remove(QStringLiteral("Recent Files"));
    for (int i = 0; i < m_maxEntries && i < static_cast<int>(entries.size()); ++i)
        ini.setValue(QStringLiteral("Recent Files/File%1").arg(i + 1), ToQ(entries[static_cast<std::size_t>(i)]));
    ini.sync();
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty())
        return;
    std::vector<std::string> entries = Entries();
    entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
    entries.insert(entries.begin(), path);
    Store(entries);
}

void RecentFiles::Remove(const std::string& path) {
    std::vector<std::string> entries = Entries();
    entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
    Store(entries);
}

std::string RecentFiles::MenuText(const std::string& path) const {
    const QString text = ToQ(path);
    if (text.size() <= m_maxMenuText)
        return path;
    return "..." + FromQ(text.right(m_maxMenuText - 3));
}

// ---- Clipboard ---------------------------------------------------------------------------

namespace Clipboard {

void SetText(const std::string& text) {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::string GetText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return {};
    const QByteArray bytes = data->data(QStringLiteral("text/plain"));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void SetImage(const Image& image) {
    if (!image.IsNull())
        QGuiApplication::clipboard()->setImage(image.impl().image);
}

bool HasImage() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

void SetPicture(const Picture& picture) {
    if (picture.IsEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"),
                  QByteArray(picture.svg.data(), static_cast<qsizetype>(picture.svg.size())));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.image.IsNull() && picture.image.impl().image.save(&buffer, "PNG"))
        data->setData(QStringLiteral("image/png"), png);
    QGuiApplication::clipboard()->setMimeData(data);
}

std::string GetPictureSvg() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->data(QStringLiteral("image/svg+xml")).toStdString() : std::string();
}

Image GetPicturePng() {
    Image result;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasFormat(QStringLiteral("image/png"))) {
        QImage decoded;
        if (decoded.loadFromData(data->data(QStringLiteral("image/png")), "PNG"))
            result.impl().image = decoded.convertToFormat(QImage::Format_RGB32);
    }
    return result;
}

} // namespace Clipboard

// ---- Help --------------------------------------------------------------------------------

namespace Help {

namespace {
std::string g_pagePath;
Opener g_opener;

// Hands the address to the browser. When no program takes it (none installed for web pages),
// the user is told so: the help never fails without a word.
bool OpenAddress(const std::string& text, const QUrl& url) {
    const bool opened = g_opener ? g_opener(text) : QDesktopServices::openUrl(url);
    if (!opened)
        MessageBox("The page \"" + text + "\" could not be shown: no program to show web pages was found.",
                   "Quarvish Help", MsgStyle::IconInformation);
    return opened;
}

bool Open(const std::string& anchor) {
    const std::string page = PagePath();
    if (!QFileInfo::exists(ToQ(page))) {
        MessageBox("No help is installed: the help page \"" + page + "\" was not found.",
                   "Quarvish Help", MsgStyle::IconInformation);
        return false;
    }
    QUrl url = QUrl::fromLocalFile(ToQ(page));
    if (!anchor.empty())
        url.setFragment(ToQ(anchor));
    return OpenAddress(FromQ(url.toString()), url);
}
} // namespace

std::string PagePath() {
    return g_pagePath.empty() ? Application::ProgramDirectory() + "help/Quarvish.html" : g_pagePath;
}
void SetPagePath(const std::string& path) { g_pagePath = path; }
Opener SetOpener(Opener opener) { return std::exchange(g_opener, std::move(opener)); }
bool ShowContents() { return Open(""); }
bool ShowTopic(int id) { return Open("command-" + std::to_string(id)); }
bool ShowHelpOnHelp() { return Open("using-help"); }
bool ShowWebPage(const std::string& url) { return OpenAddress(url, QUrl(ToQ(url))); }

} // namespace Help

} // namespace plat
