#pragma once
// The second pass of the labelled text reader: a state machine over the lines of a file that
// fills the beam from the section of the chosen label.

#include <string>
#include <vector>

#include "files/legacy/LegacyReadResult.h"
#include "foundation/TDepthTable.h"

class TBeam;

inline constexpr const char* kInputLabel = "INPUT-LABEL";
// The label of a section whose INPUT-LABEL line ends the file without a label word.
inline constexpr const char* kDefaultLabel = "Number 1";

// The blank-separated words of a line (TABs do not separate); the line end stays in the last.
std::vector<std::string> SplitWords(const std::string& line);
// Decimal and integer conversions of a word: what is no number (or no finite one) reads as 0;
// integers are held within the int range.
double ReadNumber(const std::string& text);
int ReadInteger(const std::string& text);

class LabelledTextKeys {
public:
    LabelledTextKeys(TBeam& beam, std::string chosenLabel);

    void ReadLine(const std::string& line);
    // Puts back the unit system unless "File Override" is set; a section with a layer no
    // section holds is then refused with its message (files/legacy/HeldLayers.h), stopped at
    // line `lines`. Else validates the beam and checks every material type. Without a MEMBINFO
    // block the beam's member is the one a new section gets.
    LegacyReadResult Finish(std::size_t lines);

    enum class State {
        Idle,
        Header,
        Skipping,
        ConcreteBlock,
        RebarBlock,
        PrestressBlock,
        SolidBlock,
        HollowBlock,
        LongTableBlock,
        LongLayerBlock,
        TransLayerBlock,
        LoadingBlock,
        ShrinkageBlock,
        ThermalBlock,
        DiscontinuityBlock,
        AnalysisBlock,
        MemberBlock,
    };

private:
    struct Line {
        std::vector<std::string> words;
        std::string keyword; // trimmed and upper-cased
        std::string value;   // trimmed
        std::string rest;    // trimmed, at most 107 characters
        double v = 0.0;      // the value read as a number
        const std::string* Word(std::size_t i) const
        {
            return i < words.size() ? &words[i] : nullptr;
        }
    };

    bool BlockKeyword(const Line& line);
    void ApplyKeys(const Line& line);
    void HeaderKeys(const Line& line);
    void ConcreteKeys(const Line& line);
    void SteelKeys(const Line& line, bool prestress);
    void SolidKeys(const Line& line);
    void OutlineRow(const Line& line);
    void LongTableRow(const Line& line);
    void LongLayerKeys(const Line& line);
    void TransLayerKeys(const Line& line);
    void LoadingKeys(const Line& line);
    void ProfileRow(const Line& line, TDepthTable& table);
    void MemberKeys(const Line& line);
    void EndSection();
    // Appends a material type or layer named by the line; the block opens only when it was
    // appended.
    void OpenMaterial(const Line& line);
    // Index of the last steel (concrete) type of that exact name; none: the message and 0.
    int SteelTypeNamed(const std::string& name, const char* caption);
    int ConcreteTypeNamed(const std::string& name);
    std::string SteelTypeZeroName() const;
    std::string ConcreteTypeZeroName() const;
    // A value in display units of the kind, in SI units.
    double FromUnits(double value, int kind) const;

    TBeam& m_beam;
    std::string m_chosen;
    State m_state = State::Idle;
    int m_unitsAtStart = 0;
    bool m_noShape = false;
    // A MEMBINFO block was read into the beam.
    bool m_memberRead = false;
    TDepthTable m_outline{"section outline"};
    TDepthTable m_rowTypes{"outline concrete types"};
    TDepthTable m_discontinuity{"X strain discontinuity"};
};
