#pragma once
// Where a page's letters land, for tests that a page reads at every window size: each upright
// text with its box on the device and whether it is written smaller than the least text the
// program writes, the rules among the calls, and what stands wrong (texts that meet, rules
// through letters, letters too small).

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/RecordingDC.h"
#include "tests/app/DrawnTexts.h"
#include "views/MaterialPicture.h"

// A text as drawn, its box on the device and whether its font is smaller than the least text
// (a negative height a character height, a positive one a cell's); a sub- or superscript of a
// marked-up line (a run in a smaller font that stands against a larger one of its line, end to
// end) goes with its line.
struct Letters {
    std::string text;
    plat::Rect box;
    bool small = false;
};

inline std::string Describe(const Letters& l)
{
    std::ostringstream s;
    s << '"' << l.text << "\" (" << l.box.left << ", " << l.box.top << " - " << l.box.right << ", "
      << l.box.bottom << ")";
    return s.str();
}

// The upright texts of the calls, each with its box.
inline std::vector<Letters> LettersOf(const std::vector<DrawCall>& calls)
{
    std::vector<const DrawCall*> runs;
    for (const DrawCall& c : calls)
        if (c.op == "Text" && c.state.font.escapement == 0)
            runs.push_back(&c);
    // Scripts: runs against a larger run of their line, or against a script of their size
    // (the letters of "MAX" one by one).
    const auto against = [](const plat::Rect& a, const plat::Rect& b) {
        const int touch = 1 + a.Height() / 3;
        return a.top < b.bottom && b.top < a.bottom &&
               (std::abs(b.right - a.left) <= touch || std::abs(a.right - b.left) <= touch);
    };
    std::vector<bool> script(runs.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int height = std::abs(runs[i]->state.font.height);
            for (std::size_t j = 0; j < runs.size() && !script[i]; ++j) {
                const int other = std::abs(runs[j]->state.font.height);
                if (i != j && (height < other || (script[j] && height == other)) &&
                    against(PageBox(*runs[i]), PageBox(*runs[j])))
                    script[i] = grew = true;
            }
        }
    }
    std::vector<Letters> out;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const DrawCall* c = runs[i];
        const int height = std::abs(c->state.font.height);
        const bool small = !script[i] && height < LeastTextHeight(c->state.font);
        if (c->text.find_first_not_of(' ') != std::string::npos)
            out.push_back({c->text, PageBox(*c), small});
    }
    return out;
}

// The horizontal and vertical strokes of the calls, on the device.
inline std::vector<std::pair<plat::Point, plat::Point>> RulesOf(const std::vector<DrawCall>& calls)
{
    std::vector<std::pair<plat::Point, plat::Point>> rules;
    for (const auto& s : StrokesOf(calls, -1).axes)
        if (s.first.x == s.second.x || s.first.y == s.second.y)
            rules.push_back(s);
    return rules;
}

// The calls drawn with the window origin at that point: on a printed page, those of one box.
inline std::vector<DrawCall> DrawnAt(const std::vector<DrawCall>& calls, plat::Point origin)
{
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls)
        if (c.state.mapping.windowOrg == origin)
            out.push_back(c);
    return out;
}

// The calls of the printed box that draws a text with the fragment.
inline std::vector<DrawCall> BoxWith(const std::vector<DrawCall>& calls, const std::string& fragment)
{
    for (const DrawCall& c : calls)
        if (c.op == "Text" && c.text.find(fragment) != std::string::npos)
            return DrawnAt(calls, c.state.mapping.windowOrg);
    ADD_FAILURE() << "no box draws " << fragment;
    return {};
}

// What stands wrong among the calls: texts that meet, rules through letters (the box drawn
// one pixel in from each side, so that a rule along a letter's cell edge passes), letters
// lower than the least text.
inline std::vector<std::string> Clashes(const std::vector<DrawCall>& calls)
{
    std::vector<std::string> out;
    const std::vector<Letters> letters = LettersOf(calls);
    const auto rules = RulesOf(calls);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const Letters& a = letters[i];
        for (std::size_t j = i + 1; j < letters.size(); ++j)
            if (Meet(a.box, letters[j].box))
                out.push_back(Describe(a) + " meets " + Describe(letters[j]));
        const plat::Rect inner{a.box.left + 1, a.box.top + 1, a.box.right - 1, a.box.bottom - 1};
        for (const auto& rule : rules)
            if (PixelsInside({rule}, inner) > 0) {
                std::ostringstream s;
                s << Describe(a) << " struck by (" << rule.first.x << ", " << rule.first.y << ") - ("
                  << rule.second.x << ", " << rule.second.y << ")";
                out.push_back(s.str());
            }
        if (a.small)
            out.push_back(Describe(a) + " smaller than the least text");
    }
    return out;
}

inline std::string Join(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += "\n  " + l;
    return s;
}
