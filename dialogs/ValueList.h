#pragma once
// The "Define Data" value lists as free text: one value, or one strain-stress pair, per line.
//
// Mode 3 edits the first four experimental-data lists of a structure (moments and curvatures
// of the moment-curvature graph, loads and deflections of the load-deflection graph); modes 0
// and 2 edit the stress-strain curve of a concrete (0) or steel (2) type, shown in the strain
// and stress units of the active unit system. The text is read into a working copy whenever
// the edit box is left (and on OK); OK copies the working copy back, Cancel leaves everything.
// Reading keeps its own buffer, so a report the user has open in the "View Data" dialog stays.

#include <array>
#include <string>
#include <vector>

#include "foundation/Contain.h"
#include "foundation/TDepthTable.h"

class TStructure;

class TValueList {
public:
    // The most characters the edit box takes.
    static constexpr std::size_t kMaxText = 256000;
    static constexpr int kStructureLists = 4;
    // The most characters of a refused value a message repeats.
    static constexpr std::size_t kShownToken = 40;
    // The refusal of a curve none of whose points carries a stress (an empty text among them).
    static constexpr const char* kNoStressCurve =
        "The curve has no point with a stress: a user-defined curve takes at least one.";

    // Mode 3 over the structure; modes 0 and 2 over the curve.
    TValueList(TStructure* structure, int mode, TDepthTable* curve);

    int GetMode() const { return m_mode; }
    // The combo box's items.
    std::vector<std::string> ComboItems() const;
    // The list shown (combo index).
    int selection = 0;
    // The chosen list as text.
    std::string ShowList();
    // The message for a text with a value that is no finite number, or (modes 0 and 2) for a
    // curve with a point past the strain a section holds (named by its place), a curve without
    // a point of stress, or one from which the type would take a value no section holds
    // (model/ValueLimits), as a document could not keep it (the dialog refuses the text and
    // keeps it for retyping); empty when the text can be taken.
    std::string CheckText(const std::string& text) const;
    // Reads a text into the chosen list of the working copy, up to a value that is no finite
    // number.
    void ReadText(const std::string& text);
    // OK: the working copy goes back.
    void Commit();

    const TdoubleArray& WorkingList(int k) const { return m_lists[static_cast<std::size_t>(k)]; }
    const TDepthTable& WorkingCurve() const { return m_curve; }

private:
    // The curve of modes 0 and 2 from the values read, closed from the origin.
    void ReadCurve(const std::vector<double>& values, TDepthTable& curve) const;
    // The message for a curve that gives its type a value no section holds; empty otherwise.
    std::string UnheldCurveText(const std::vector<double>& values) const;

    TStructure* m_structure;
    int m_mode;
    TDepthTable* m_given;
    TDepthTable m_curve;
    std::array<TdoubleArray, kStructureLists> m_lists;
};
