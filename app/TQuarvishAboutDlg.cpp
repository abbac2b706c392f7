#include "app/TQuarvishAboutDlg.h"

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "platform/Ui.h"

namespace {
constexpr const char* kTitle = "QUARVISH-2010 Reinforced Concrete Sectional Analysis";
constexpr const char* kPhotoCredit = "Start picture: photograph by the Quarvish developers";
} // namespace

TProjectRCVersion::TProjectRCVersion()
    : m_info{ProgramVersion::ProductName, ProgramVersion::ProductVersion, ProgramVersion::LegalCopyright, nullptr} {}

bool TProjectRCVersion::Get(const char* value, std::string& text) {
    if (!value)
        return false;
    text = value;
    return true;
}

TQuarvishAboutDlg::TQuarvishAboutDlg(const TProjectRCVersion& version) : m_reader(version) {}

void TQuarvishAboutDlg::SetupWindow() {
    std::string name, version, text;
    if (m_reader.GetProductName(name) && m_reader.GetProductVersion(version))
        m_version = StrPrintf("%s %s %s", name.c_str(), m_version.c_str(), version.c_str());
    if (m_reader.GetCopyright(text))
        m_copyright = text;
    if (m_reader.GetSpecialBuild(text))
        m_specialBuild = text;
}

std::string TQuarvishAboutDlg::Text() const {
    std::string out = std::string(kTitle) + "\n\n" + m_version + "\n";
    if (!m_copyright.empty())
        out += m_copyright + "\n";
    out += std::string("\n") + kPhotoCredit;
    if (!m_specialBuild.empty())
        out += "\n\n" + m_specialBuild;
    return out;
}

int TQuarvishAboutDlg::Execute() {
    SetupWindow();
    return plat::MessageBox(Text(), Caption, MsgStyle::Ok | MsgStyle::IconInformation);
}
