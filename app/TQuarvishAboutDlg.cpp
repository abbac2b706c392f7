#include "app/TQuarvishAboutDlg.h"

#include "foundation/StrFormat.h"

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

namespace {
plat::DialogTemplate AboutTemplate() {
    using plat::ControlKind;
    using plat::DialogItem;
    plat::DialogTemplate t;
    t.caption = TQuarvishAboutDlg::Caption;
    t.width = 269;
    t.height = 100;
    t.sizing = true;
    const unsigned centred = plat::CtlStyle::Center | plat::CtlStyle::NoPrefix;
    const unsigned right = plat::CtlStyle::Right | plat::CtlStyle::NoPrefix;
    t.Add(DialogItem::At(-1, ControlKind::Static, kTitle, 35, 5, 200, 8, centred))
        .Add(DialogItem::At(kAboutVersionId, ControlKind::Static, "Version", 35, 20, 200, 8, centred))
        .Add(DialogItem::At(kAboutCopyrightId, ControlKind::Static, "", 35, 35, 200, 17, centred))
        .Add(DialogItem::At(-1, ControlKind::Static, kPhotoCredit, 30, 60, 210, 15))
        .Add(DialogItem::At(kAboutSpecialBuildId, ControlKind::Static, "", 180, 85, 66, 8, right))
        .Add(DialogItem::At(3, ControlKind::Icon, "Q", 2, 2, 20, 20))
        .Add(DialogItem::At(1, ControlKind::DefPushButton, "OK", 126, 85, 40, 14));
    return t;
}
} // namespace

TQuarvishAboutDlg::TQuarvishAboutDlg(plat::Window* parent, const TProjectRCVersion& version)
    : plat::Dialog(parent, AboutTemplate()), m_reader(version) {}

void TQuarvishAboutDlg::SetupWindow() {
    plat::Dialog::SetupWindow();
    std::string name, version, text;
    if (m_reader.GetProductName(name) && m_reader.GetProductVersion(version))
        SetItemText(kAboutVersionId,
                    StrPrintf("%s %s %s", name.c_str(), GetItemText(kAboutVersionId).c_str(), version.c_str()));
    if (m_reader.GetCopyright(text))
        SetItemText(kAboutCopyrightId, text);
    if (m_reader.GetSpecialBuild(text))
        SetItemText(kAboutSpecialBuildId, text);
}
