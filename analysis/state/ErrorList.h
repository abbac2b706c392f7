#pragma once
// ErrorList: the messages an analysis stores while it is built, shown afterwards one box at a
// time (text, title, and the code as the box's icon).
//
// At most kMaxErrors entries are kept. When a further one is refused, the last kept text is
// marked once with kOverflowMarker, so the user sees that messages were lost.

#include <string>
#include <vector>

// Caption of the stored entries that name no other: the main window's title. The shell may
// set it; it starts as the program's name.
extern std::string g_MainWindowTitle;

class ErrorList {
public:
    static constexpr int kMaxErrors = 23;
    // Put in front of the last kept text once an entry has been refused.
    static constexpr const char* kOverflowMarker = "TOO MANY!";
    // GetError's answer for an index outside the list.
    static constexpr const char* kOutOfRangeText =
        "Error, asking for error message that is too high in list";
    static constexpr const char* kOutOfRangeTitle = "Error with Errors!";

    struct Entry {
        std::string text;
        std::string title;
        int code = 0; // message-box icon code (48 = exclamation, 0 = none)
        bool operator==(const Entry&) const = default;
    };

    // Stores a copy of the entry; 1 when stored, 0 when the list is full.
    int AddError(const std::string& text, const std::string& title, int code);
    int GetErrorCount() const { return static_cast<int>(m_entries.size()); }
    // Copies entry index into the outputs and returns 1. An index outside 0 .. count-1
    // (negative ones included) gives kOutOfRangeText, kOutOfRangeTitle, code 0 and returns 0.
    int GetError(int index, std::string& text, std::string& title, int& code) const;

private:
    std::vector<Entry> m_entries;
    bool m_overflowMarked = false;
};
