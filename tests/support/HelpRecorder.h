#pragma once
// Help opened while a test runs: an installed help page in a temporary folder and the
// addresses that would have gone to the browser, in order. Both are put back afterwards.

#include <string>
#include <vector>

#include "platform/Services.h"
#include "support/TestSupport.h"

class HelpRecorder {
public:
    HelpRecorder() {
        m_dir.Write("Quarvish.html", "<html></html>");
        plat::Help::SetPagePath(m_dir.File("Quarvish.html"));
        m_previous = plat::Help::SetOpener([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
    }
    ~HelpRecorder() {
        plat::Help::SetOpener(m_previous);
        plat::Help::SetPagePath("");
    }
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    // The topics opened: the anchor of each address ("" for the contents).
    std::vector<std::string> Anchors() const {
        std::vector<std::string> anchors;
        for (const std::string& url : opened) {
            const std::size_t hash = url.find('#');
            anchors.push_back(hash == std::string::npos ? std::string() : url.substr(hash + 1));
        }
        return anchors;
    }

    std::vector<std::string> opened;

private:
    TempDir m_dir;
    plat::Help::Opener m_previous;
};
