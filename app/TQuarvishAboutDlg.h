#pragma once
// The about box: its fixed texts and three lines filled from the program's version
// information (TProjectRCVersion).

#include <string>

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

// The about box, shown through the modal gateway.
class TQuarvishAboutDlg {
public:
    explicit TQuarvishAboutDlg(const TProjectRCVersion& version = TProjectRCVersion());
    // Fills the lines from the version information.
    void SetupWindow();
    int Execute();

    static constexpr const char* Caption = "About Quarvish-2010";
    const std::string& GetVersionLine() const { return m_version; }
    const std::string& GetCopyrightLine() const { return m_copyright; }
    const std::string& GetSpecialBuildLine() const { return m_specialBuild; }
    // The whole box as text: title, version, copyright, credit and special build.
    std::string Text() const;

private:
    TProjectRCVersion m_reader;
    std::string m_version = "Version";
    std::string m_copyright;
    std::string m_specialBuild;
};
