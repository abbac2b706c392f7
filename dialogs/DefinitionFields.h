#pragma once
// What the small definition dialogs show and how their typed texts are applied: the loads,
// the general definitions, the long-term settings and the preferences. Each dialog is a thin
// window over these functions, which hold its rules; nothing here opens a window.
//
// Numbers are shown in the active unit system (stored x factor) and typed values are divided
// by the same factor; text that is not a number reads as 0. A value that is not finite or lies
// outside its field's range is refused (Check...): the Apply functions then store nothing.

#include <array>
#include <string>

#include "foundation/TypedNumber.h"

class TBeam;
class TStructure;

// ---- Loads ----------------------------------------------------------------------------------

// Constant N, M, V then increment N, M, V, and the unit labels of the N, M and V rows. A
// membrane element's rows are its in-plane loads N_xx, N_yy and N_xy instead, shown in the stress
// unit as the stresses the analysis applies, with the sign they are stored with (a beam's moment
// is shown with the opposite sign).
struct LoadFields {
    std::array<std::string, 6> values;
    std::array<std::string, 3> units;
};
LoadFields ShowLoads(const TStructure& s);
// The names of the three rows: "Axial Load", "Moment", "Shear", or "N_xx", "N_yy", "N_xy".
std::array<std::string, 3> LoadRowNames(const TStructure* s);
// The first refused load (field 0-5 as in values), of a beam or of a membrane element.
TypedRefusal CheckLoads(const std::array<std::string, 6>& typed);
TypedRefusal CheckLoads(const TStructure& s, const std::array<std::string, 6>& typed);
// Writes both load vectors; 1 when a value changed.
int ApplyLoads(TStructure& s, const std::array<std::string, 6>& typed);

// ---- General definitions --------------------------------------------------------------------

struct GeneralFields {
    std::string name, date, author;
    bool longitudinalAuto = true, transverseAuto = true, centroidal = true;
    std::string longitudinal, transverse, axis;  // "Automatic" / "Centroid" or a length
    std::string lengthUnit;     // the spacing fields' unit
    std::string axisLabel;      // "%s from bottom"
    bool hasAxis = false;       // only a beam has a moment axis
};
GeneralFields ShowGeneral(const TStructure& s);
// A spacing text names automatic spacing: its first four characters after blanks and tabs,
// upper-cased, read "AUTO".
bool IsAutomaticText(const std::string& text);
// The first refused length: field 3 longitudinal spacing, 4 transverse spacing, 5 moment axis.
TypedRefusal CheckGeneral(const GeneralFields& typed);
// The same for the structure's page: a beam's moment axis is also refused where the datum would
// move a depth of its section farther from the axis than a document keeps (the message gives the
// heights the section takes).
TypedRefusal CheckGeneral(const GeneralFields& typed, const TStructure& s);
// Writes the title block, both crack spacings and the moment axis; 1 when any changed.
int ApplyGeneral(TStructure& s, const GeneralFields& typed);

// ---- Long-term settings ---------------------------------------------------------------------

struct TimeFields {
    bool consider = false;
    std::string years, moment, axial;
    std::string momentUnit, forceUnit;
};
TimeFields ShowTime(const TBeam* beam);
// The first refused value: field 0 age, 1 moment, 2 axial load.
TypedRefusal CheckTime(const TimeFields& typed);
// Age typed in years and stored in days (x 365); 1 when anything changed.
int ApplyTime(TBeam& beam, const TimeFields& typed);

// ---- Preferences ----------------------------------------------------------------------------

struct PreferenceFields {
    // The unit radio ticked: 0 SI, 1 US, 2 kg/cm (also for any other system).
    int unitRadio = 0;
    // Whether a unit radio was pressed: without one the unit system is kept.
    bool unitPressed = false;
    bool fileOverride = false;
    std::array<std::string, 3> factors;  // concrete, steel, prestressing
};
PreferenceFields ShowPreferences();
// The texts that the "CSA" and "None" buttons fill in.
std::array<std::string, 3> CsaFactorTexts();
std::array<std::string, 3> NoFactorTexts();
// The first refused factor (field 0-2): one that is not a finite number.
TypedRefusal CheckPreferences(const PreferenceFields& typed);
// Stores the unit system, the "File Override" flag and every factor that differs from the
// stored one by more than 0.01 (clamped to 0.01 .. 10.0); true when a factor was taken.
// Stores nothing when CheckPreferences refuses.
bool ApplyPreferences(const PreferenceFields& typed);
