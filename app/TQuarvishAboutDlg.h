#pragma once
// The about box: its fixed texts and three lines filled from the program's version
// information (TProjectRCVersion).

#include <string>

#include "platform/Dialog.h"

// The program's version information.
namespace ProgramVersion {
inline constexpr const char* ProductName = "Quarvish";
inline constexpr const char* ProductVersion = "1.9.7";
inline constexpr const char* LegalCopyright = "Copyright (C) 1995-2026 The Quarvish developers";
} // namespace ProgramVersion

// The version strings of the program, looked up by key; a reader over no information (the
// empty one) finds nothing.
class TProjectRCVersion {
public:
    // The program's own version information.
    TProjectRCVersion();
    struct Info {
        const char* productName = nullptr;
        const char* productVersion = nullptr;
        const char* legalCopyright = nullptr;
        const char* specialBuild = nullptr;
    };
    explicit TProjectRCVersion(const Info& info) : m_info(info) {}

    bool GetProductName(std::string& text) const { return Get(m_info.productName, text); }
    bool GetProductVersion(std::string& text) const { return Get(m_info.productVersion, text); }
    bool GetCopyright(std::string& text) const { return Get(m_info.legalCopyright, text); }
    bool GetSpecialBuild(std::string& text) const { return Get(m_info.specialBuild, text); }

private:
    static bool Get(const char* value, std::string& text);
    Info m_info;
};

// The about box (dialog 22000).
class TQuarvishAboutDlg : public plat::Dialog {
public:
    TQuarvishAboutDlg(plat::Window* parent, const TProjectRCVersion& version = TProjectRCVersion());

    // Fills the version, copyright and special-build lines from the version information.
    void SetupWindow() override;

    static constexpr const char* Caption = "About Quarvish-2010";

private:
    TProjectRCVersion m_reader;
};

inline constexpr int kAboutVersionId = 22001;
inline constexpr int kAboutCopyrightId = 22002;
inline constexpr int kAboutSpecialBuildId = 22003;
