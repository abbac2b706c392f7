#include "dialogs/ValueList.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "model/ValueLimits.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"

namespace {

struct ListKind {
    const char* title;
    int unit;
};
constexpr ListKind kListKinds[4] = {
    {"Moment values for Moment-Curvature (%s)", ukMoment},
    {"Curvature values for Moment-Curvature (%s)", ukCurvature},
    {"Applied Loads for point load-deflection (%s)", ukForce},
    {"Measured Deltas for point load-deflection (%s)", ukSectionLength},
};

// The values of a text up to the first token that is no finite number (refused: that token).
std::vector<double> Tokens(const std::string& text, std::string* refused = nullptr) {
    std::string buffer = text.substr(0, TValueList::kMaxText);
    for (char& c : buffer)
        if (c == '\r' || c == '\n' || c == ',' || c == '\t')
            c = ' ';
    std::vector<double> values;
    std::size_t i = 0;
    while (i < buffer.size()) {
        while (i < buffer.size() && buffer[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < buffer.size() && buffer[i] != ' ')
            ++i;
        // A token that is no finite number ends the list: what follows it cannot be paired.
        if (i > start) {
            const double v = TypedNumber(buffer.substr(start, i - start));
            if (!std::isfinite(v)) {
                if (refused)
                    *refused = buffer.substr(start, i - start);
                break;
            }
            values.push_back(v);
        }
    }
    return values;
}

} // namespace

TValueList::TValueList(TStructure* structure, int mode, TDepthTable* curve)
    : m_structure(structure), m_mode(mode), m_given(curve) {
    if (m_mode == 3 && m_structure) {
        for (int k = 0; k < kStructureLists; ++k)
            if (const TdoubleArray* list = m_structure->GetValueList(k))
                for (int i = 0; i < list->GetCount(); ++i)
                    m_lists[static_cast<std::size_t>(k)].Add(list->At(i));
    } else if (m_given) {
        m_curve = *m_given;
    }
}

std::vector<std::string> TValueList::ComboItems() const {
    if (m_mode == 3) {
        std::vector<std::string> items;
        for (const ListKind& kind : kListKinds)
            items.push_back(StrPrintf(kind.title, UnitLabel(kind.unit)));
        return items;
    }
    return {StrPrintf("Axial Strain (%s) , Axial Stress (%s)", UnitLabel(ukStrain), UnitLabel(ukStress))};
}

std::string TValueList::ShowList() {
    std::string text;
    if (m_mode == 3) {
        if (selection < 0 || selection >= kStructureLists)
            return text;
        const TdoubleArray& list = m_lists[static_cast<std::size_t>(selection)];
        const double factor = UnitFactor(kListKinds[selection].unit);
        for (int i = 0; i < list.GetCount(); ++i)
            text += StrPrintf("%9.4f\r\n", list.At(i) * factor);
        return text;
    }
    if (m_mode == 2)
        m_curve.Sort(0);
    const double factor = UnitFactor(ukStress);
    const char* format = g_UnitSystem == kUnitUS ? "%5.3f , %5.0f\r\n" : "%5.3f , %5.2f\r\n";
    for (const DepthPair& p : GivenCurvePairs(m_curve))
        text += StrPrintf(format, std::fabs(p.z) * 1000.0, std::fabs(p.v) * factor);
    return text;
}

std::string TValueList::CheckText(const std::string& text) const {
    std::string refused;
    const std::vector<double> values = Tokens(text, &refused);
    const std::size_t read = values.size();
    if (refused.empty())
        return m_mode == 3 ? std::string() : UnheldCurveText(values);
    if (refused.size() > kShownToken)
        refused = refused.substr(0, kShownToken) + "...";
    return StrPrintf("Value %zu of the list, \"%s\", must be a number.", read + 1, refused.c_str());
}

void TValueList::ReadText(const std::string& text) {
    const std::vector<double> values = Tokens(text);
    if (m_mode == 3) {
        if (selection < 0 || selection >= kStructureLists)
            return;
        TdoubleArray& list = m_lists[static_cast<std::size_t>(selection)];
        list.Clear();
        const double factor = UnitFactor(kListKinds[selection].unit);
        for (double v : values)
            list.Add(v / factor);
        return;
    }
    ReadCurve(values, m_curve);
}

void TValueList::ReadCurve(const std::vector<double>& values, TDepthTable& curve) const {
    curve.Clear();
    const double factor = UnitFactor(ukStress);
    const double sign = m_mode == 0 ? -1.0 : 1.0;
    for (std::size_t i = 0; i < values.size(); i += 2) {
        const double strain = std::fabs(values[i]) / 1000.0;
        const double stress = i + 1 < values.size() ? std::fabs(values[i + 1]) / factor : 0.0;
        curve.Add(sign * strain, sign * stress);
    }
    FinishGivenCurve(curve);
}

std::string TValueList::UnheldCurveText(const std::vector<double>& values) const {
    // A point past the strain a section holds is named by its place, before any value the curve
    // would give (which it would make as large).
    for (std::size_t i = 0; i < values.size(); i += 2) {
        const std::string told = UnheldSectionValue("a strain", std::fabs(values[i]) / 1000.0, ukStrain);
        if (!told.empty())
            return StrPrintf("Point %zu of the curve has %s.", i / 2 + 1, told.c_str());
    }
    TDepthTable curve;
    ReadCurve(values, curve);
    if (!CurveCarriesStress(curve))
        return kNoStressCurve;
    std::string told;
    if (m_mode == 0) {
        ConcreteTypeRec type;
        InitConcreteTypeRec(type);
        CheckConcreteType(type, true);
        type.baseCurve = BaseCurveCode::UserDefined;
        type.userCurve.reset(std::make_unique<TDepthTable>(curve));
        PrepareConcreteType(type);
        told = UnheldConcreteValue(type);
        return told.empty() ? told : "The curve gives the concrete " + told + ".";
    }
    SteelTypeRec type;
    InitSteelTypeRec(type);
    type.kind = SteelKind::UserCurve;
    type.userCurve.reset(std::make_unique<TDepthTable>(curve));
    CheckSteelType(type, false);
    told = UnheldSteelValue(type);
    return told.empty() ? told : "The curve gives the steel " + told + ".";
}

void TValueList::Commit() {
    if (m_mode == 3) {
        // A structure an analysis uses is not written (the check tells the user).
        if (m_structure && !m_structure->CheckFrozen())
            for (int k = 0; k < kStructureLists; ++k) {
                // A list left as it was stays as it was: one the element does not have is
                // not made (empty) by looking at it.
                const TdoubleArray& working = m_lists[static_cast<std::size_t>(k)];
                const TdoubleArray* held = m_structure->GetValueList(k);
                bool same = held ? held->GetCount() == working.GetCount() : working.GetCount() == 0;
                for (int i = 0; same && held && i < held->GetCount(); ++i)
                    same = held->At(i) == working.At(i);
                if (!same)
                    m_structure->SetValueListFrom(k, working);
            }
        return;
    }
    if (m_given) {
        const std::string name = m_given->GetName();
        *m_given = m_curve;
        if (!name.empty() && m_curve.GetName().empty())
            m_given->SetName(name);
    }
}
