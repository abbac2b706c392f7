#pragma once
// The bar and strand catalogue: the named reinforcing bars and prestressing strands that
// sections, the readers and the dialogs refer to by name. It is read once at start-up from
// "rebar.dat" beside the program (written with the default listing when missing) and only
// grows while the program runs; users extend it by editing the file.
//
// "rebar.dat" is a text file: "//" lines are comments, blank lines are skipped, tabs count as
// blanks. A data line is "name diameter area" with the diameter in mm and the area in mm^2.
// The first token is the name even when numeric ("10"); further tokens that do not read as a
// non-zero number join the name with one blank ("1 mm"); a name ending in "mm" ends in "MM".
// The first number is the diameter, the next the area; the rest of the line is ignored.
// A bar is held to what a section holds (model/LayerLimits.h): a line giving a larger one is
// refused, as a line without an area is.

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// Longest bar title kept.
inline constexpr std::size_t kRebarNameChars = 14;
// Longest name formed while reading a line, before it is cut to kRebarNameChars.
inline constexpr std::size_t kRebarNameBuildChars = 99;
// Longest line of "rebar.dat" read; the rest of a longer line is dropped.
inline constexpr std::size_t kRebarLineChars = 127;
// The entries at positions below this are the standard ones.
inline constexpr int kStandardRebarCount = 110;

struct RebarEntry {
    std::string name;      // bar title, at most kRebarNameChars characters
    double area = 0.0;     // nominal area, m^2
    double diameter = 0.0; // nominal diameter, m
    bool standard = false; // among the first kStandardRebarCount entries of the list

    bool operator==(const RebarEntry&) const = default;
};

class TRebarList {
public:
    // Clears the flags, keeps the path of "rebar.dat" in the program directory, reads the
    // file and marks the list loaded. Returns the result of Load.
    int Init(const std::string& path);

    // Reads the file into the list, writing the default listing first when no file can be
    // read. Bad lines go to the load-error log and are skipped. Returns 1 after reading, 0
    // when no file could be opened even after writing the default.
    int Load();

    // Creates the file with the default listing where none exists (the program directory,
    // or the user data directory when the program directory cannot be written). Returns 1
    // when written; on failure logs the reason, sets the write-failed flag and returns 0.
    int WriteDefault();

    // Reads "rebar.dat" lines from a stream and appends their entries.
    void ReadListing(std::istream& in);

    // Appends an entry (name cut to kRebarNameChars; area in m^2, diameter in m). Returns 1,
    // or 0 when memory ran out (logged, nothing added).
    int Add(const std::string& name, double area, double diameter);

    // Appends a bar that a section file names and the catalogue lacks (as Add). The run then
    // knows it by name, but "rebar.dat" does not hold it: a later run does not.
    int AddBrought(const std::string& name, double area, double diameter);

    // Removes every entry.
    void Clear();

    // How far the list reached, and putting it back there: a file refused after it brought bars
    // (AddBrought) leaves nothing of itself in the catalogue.
    struct Extent {
        std::size_t entries = 0;
        std::size_t brought = 0;
        bool changed = false;
    };
    Extent GetExtent() const { return {m_entries.size(), m_brought.size(), m_changed}; }
    // Drops the entries added since the extent was taken (the list only grows).
    void RestoreExtent(const Extent& extent);

    // Entry i; out of range gives the empty text or 0.0.
    std::string GetName(int i) const;
    double GetArea(int i) const;
    double GetDiameter(int i) const;

    // Index of the first entry whose name equals the text exactly (case matters), else -1.
    int FindByName(const std::string& text) const;
    // Index of the first entry whose area lies within 0.2 % of the given area (m^2), else -1.
    int FindByArea(double area) const;
    // 1 when FindByName finds the text and that entry is standard, else 0.
    int IsStandard(const std::string& text) const;
    // Whether FindByName finds the text among the entries every run has (not one that a
    // section file brought, AddBrought).
    bool IsListed(const std::string& text) const;

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<RebarEntry>& Entries() const { return m_entries; }

    // The path given to Init and the file actually read (or written) by the last Load.
    const std::string& Path() const { return m_path; }
    const std::string& SourcePath() const { return m_sourcePath; }

    bool WriteFailed() const { return m_writeFailed; }
    // Whether an entry was added after loading.
    bool Changed() const { return m_changed; }
    bool Loaded() const { return m_loaded; }

private:
    void ReadLine(const std::string& line);

    std::vector<RebarEntry> m_entries;
    std::vector<std::string> m_brought; // names of the entries AddBrought appended
    std::string m_path;
    std::string m_sourcePath;
    bool m_writeFailed = false;
    bool m_changed = false;
    bool m_loaded = false;
};

// The text of the default "rebar.dat" (125 bars and strands, the first 110 standard).
std::string DefaultRebarListing();

// The one catalogue of the program, filled by the main window's set-up.
extern TRebarList g_RebarList;
