// The labelled text input format: line reading, the two passes and the blocks.

#include "files/legacy/LabelledTextFile.h"

#include <algorithm>
#include <cctype>
#include <span>
#include <utility>
#include <vector>

#include "files/legacy/LabelledTextKeys.h"
#include "files/legacy/LegacyFile.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"

namespace {

// One read of the text takes at most this many characters.
constexpr std::size_t kReadChars = 127;

SectionLabelPrompt g_SectionLabelPrompt = nullptr;

// The reads of the text: each up to and including a line feed, at most 127 characters. A NUL,
// which no text line holds, is read as a blank, so that what follows it on its line is kept.
std::vector<std::string> SplitReads(std::string_view text)
{
    std::vector<std::string> reads;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && end - at < kReadChars) {
            if (text[end++] == '\n')
                break;
        }
        std::string read(text.substr(at, end - at));
        std::replace(read.begin(), read.end(), '\0', ' ');
        reads.push_back(std::move(read));
        at = end;
    }
    return reads;
}

bool IsComment(const std::string& line)
{
    return line.starts_with("#") || line.starts_with("//");
}

} // namespace

void TrimInputLine(std::string& text, int upper)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\t'))
        text.pop_back();
    std::replace(text.begin(), text.end(), '\t', ' ');
    text.erase(0,
               text.find_first_not_of(' ') == std::string::npos ? text.size()
                                                                : text.find_first_not_of(' '));
    if (upper != 0) {
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
}

SectionLabelPrompt SetSectionLabelPrompt(SectionLabelPrompt prompt)
{
    return std::exchange(g_SectionLabelPrompt, prompt);
}

LegacyReadResult ReadLabelledText(TBeam& beam, std::string_view text)
{
    const std::vector<std::string> lines = SplitReads(text);

    // First pass: count the sections; the last one's label is offered.
    int sections = 0;
    std::string chosen;
    std::vector<std::string> labels; // as the second pass compares them
    for (const std::string& line : lines) {
        if (IsComment(line))
            continue;
        const std::vector<std::string> words = SplitWords(line);
        if (!words.empty() && words[0] == kInputLabel) {
            ++sections;
            chosen = words.size() > 1 ? words[1] : kDefaultLabel;
            labels.push_back(chosen);
            TrimInputLine(labels.back(), 1);
        }
    }
    // The chosen label is compared whole with the file's labels, which are whole too: a label
    // cut to a field of its own would match no section of a longer label.
    TrimInputLine(chosen, 1);
    if (sections == 0) {
        ShowMessage("File Does not contain any sections!", "Load Message");
        return LegacyRefused(0, "File Does not contain any sections!");
    }
    if (sections > 1 && g_SectionLabelPrompt != nullptr) {
        std::string answer = chosen;
        if (g_SectionLabelPrompt("Select Section to Load",
                                 StrPrintf("File contains %d sections.  Enter label to load", sections), answer)) {
            // Labels in the file are compared trimmed and upper-cased; so is the answer. One
            // that names no section would read nothing: the file is refused, with a word.
            TrimInputLine(answer, 1);
            chosen = answer;
            if (std::find(labels.begin(), labels.end(), chosen) == labels.end()) {
                const std::string message = StrPrintf("The file holds no section labelled \"%s\".", chosen.c_str());
                ShowMessage(message, "Load Message");
                return LegacyRefused(0, message);
            }
        }
    }

    LabelledTextKeys reader(beam, chosen);
    for (const std::string& line : lines)
        reader.ReadLine(line);
    return reader.Finish(lines.size());
}

int ReadLabelledTextFile(TBeam& beam, const std::string& path)
{
    return ReadLegacyFile(
               path,
               [&beam](std::span<const std::uint8_t> bytes) {
                   return ReadLabelledText(
                       beam,
                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
               })
        .Code();
}
