#pragma once
// Small desktop services: the recent-files list in the INI file, the clipboard and help.

#include <functional>
#include <string>
#include <vector>

namespace plat {

class Image;
struct Picture;

// The most recently opened files, newest first, kept in an INI file.
class RecentFiles {
public:
    RecentFiles(std::string iniPath, int maxEntries = 4, int maxMenuText = 30);
    // Puts the file at the top (moving it when listed already).
    void Add(const std::string& path);
    void Remove(const std::string& path);
    std::vector<std::string> Entries() const;
    // The entry shortened for a menu: at most maxMenuText characters, the start replaced by
    // "..." when it is longer.
    std::string MenuText(const std::string& path) const;
    int MaxEntries() const { return m_maxEntries; }

private:
    void Store(const std::vector<std::string>& entries) const;
    std::string m_iniPath;
    int m_maxEntries;
    int m_maxMenuText;
};

namespace Clipboard {
// Text is stored byte for byte (CR LF line ends survive).
void SetText(const std::string& text);
std::string GetText();
// A bitmap (PNG on the clipboard).
void SetImage(const Image& image);
bool HasImage();
// A recorded picture, as "image/svg+xml" and, beside it, "image/png".
void SetPicture(const Picture& picture);
// What the clipboard holds of a picture (empty or null when it holds none).
std::string GetPictureSvg();
Image GetPicturePng();
} // namespace Clipboard

// Help: the program's HTML help page opened in the desktop's browser. When the page is not
// installed, or no program shows it, the user is told so through a message box.
namespace Help {
// The page beside the program: <program directory>help/Quarvish.html.
std::string PagePath();
void SetPagePath(const std::string& path);
// Replaces the browser call (tests); an empty function restores it. Returns the previous.
using Opener = std::function<bool(const std::string& url)>;
Opener SetOpener(Opener opener);
// The contents page; a command's topic (its id as the page anchor); help on help.
bool ShowContents();
bool ShowTopic(int id);
bool ShowHelpOnHelp();
// A web page (an address of the program's own) in the desktop's browser.
bool ShowWebPage(const std::string& url);
} // namespace Help

} // namespace plat
