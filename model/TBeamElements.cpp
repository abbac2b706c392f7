// TBeam's document callbacks: the root q3g_beam, the library shape, the older member
// information (read only), the analysis options, the section loading and the two strain
// profiles. Every other element is the structure's.

#include <algorithm>
#include <cctype>
#include <cmath>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"
#include "model/ElementText.h"
#include "model/StructureElements.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionShape.h"

namespace {

constexpr double kDaysPerYear = 365.0;
constexpr int kShapeParamsRead = 10; // par1 .. par10; the beam keeps the first eight


bool IsOwnElement(const std::string& element)
{
    return element == "q3g_beam" || element == "shapesection" || element == "eleminfo" ||
           element == "analysisoptions" || element == "sectloading";
}

// 1 .. 10 for "par1" .. "par10", else 0.
int ShapeParameterNumber(const std::string& attribute)
{
    if (attribute.size() < 4 || attribute.size() > 5 || attribute.compare(0, 3, "par") != 0)
        return 0;
    int k = 0;
    for (std::size_t i = 3; i < attribute.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(attribute[i])) == 0)
            return 0;
        k = k * 10 + (attribute[i] - '0');
    }
    return k >= 1 && k <= kShapeParamsRead ? k : 0;
}

// Index of the load attribute (BN, BM, BV: constant; MN, MM, MV: increment) in its vector,
// or -1.
int LoadIndex(const std::string& attribute, bool& increment)
{
    if (attribute.size() != 2 || (attribute[0] != 'B' && attribute[0] != 'M'))
        return -1;
    increment = attribute[0] == 'M';
    switch (attribute[1]) {
    case 'N':
        return 0;
    case 'M':
        return 1;
    case 'V':
        return 2;
    default:
        return -1;
    }
}

int LoadKind(int index)
{
    return index == 1 ? ukMoment : ukForce;
}

// The age in years, with the decimals that give the days back.
std::string AgeText(double days)
{
    return FormatExactValue("%3.1f", days / kDaysPerYear);
}

int ProfileCount(const TDepthTable& table)
{
    if (table.IsEmpty())
        return 0;
    if (table.GetCount() > 2)
        return 1;
    for (int i = 0; i < table.GetCount(); ++i) {
        if (table.GetValue(i) != 0.0)
            return 1;
    }
    return 0;
}

} // namespace

// Sets the document's unit system from the first letter of a units value; an unknown letter
// is reported and the document taken as SI. Shared by the beam and the shell.
int ReadDocumentUnits(const std::string& value, int* unit)
{
    int system = kUnitSI;
    switch (std::toupper(static_cast<unsigned char>(value.empty() ? ' ' : value[0]))) {
    case 'M':
        system = kUnitSI;
        break;
    case 'U':
        system = kUnitUS;
        break;
    case 'O':
        system = kUnitOldMetric;
        break;
    case 'R':
        system = kUnitRoman;
        break;
    default:
        ShowMessage(StrPrintf("Units type \"%s\" not regonized.  File Assumed to be SI Metric",
                              QuoteForMessage(value).c_str()),
                    "Units Error");
        if (unit != nullptr)
            *unit = kUnitSI;
        return 1;
    }
    if (unit != nullptr)
        *unit = system;
    if (g_FileOverride != 0)
        g_UnitSystem = system;
    return 1;
}

namespace {

// A moment axis written as -1 with at most one decimal ("-1", "-1.0") is the centroidal axis, as
// documents have always marked it; a height of -1 in the document's unit is written "-1.00", so
// that an axis 1 mm (inch, cm) below the bottom comes back as that height.
bool IsCentroidalAxisText(const std::string& text)
{
    if (ReadDocumentNumber(text) != -1.0)
        return false;
    const std::size_t point = text.find('.');
    std::size_t decimals = 0;
    for (std::size_t i = point == std::string::npos ? text.size() : point + 1;
         i < text.size() && text[i] >= '0' && text[i] <= '9';
         ++i)
        ++decimals;
    return decimals <= 1 && text.find_first_of("eE") == std::string::npos;
}

std::string MomentAxisText(double height)
{
    const std::string text = FormatValue("%3.1f", height);
    return IsCentroidalAxisText(text) ? std::string("-1.00") : text;
}

} // namespace

void TBeam::ApplyRootLength(int k, const int* unit)
{
    if (!m_rootLengthRead[static_cast<std::size_t>(k)])
        return;
    const std::string& text = m_rootLengthTexts[static_cast<std::size_t>(k)];
    const double value = FromDocument(text, ukSectionLength, unit);
    if (k == 2) {
        SetMomentAxis(IsCentroidalAxisText(text) ? kUndefined : value);
        return;
    }
    SetCrackSpacing(value < 0.0 ? -1.0 : value, k == 0 ? 0 : 2);
}

int TBeam::SetRootAttribute(const std::string& attribute, const std::string& value, int* unit)
{
    static const std::array<const char*, 3> kLengthAttributes = {"smx", "smt", "axialloc"};
    return structure_elements::SetRootAttribute(
        *this,
        "q3g_beam",
        attribute,
        value,
        unit,
        {kLengthAttributes, m_rootLengthTexts, m_rootLengthRead},
        false,
        [this, unit](int k) { ApplyRootLength(k, unit); });
}

int TBeam::GetAttributeText(const std::string& element,
                            const std::string& attribute,
                            int instance,
                            std::string& text,
                            int* unitSystem)
{
    if (!IsOwnElement(element))
        return TStructure::GetAttributeText(element, attribute, instance, text, unitSystem);
    text = kNoDefinitionOwnText;
    if (instance > 1 || element == "eleminfo")
        return 0;
    const int* unit = unitSystem;
    const auto length = [unit](double v) { return ToDocument(v, ukSectionLength, unit); };
    std::optional<std::string> value;
    if (element == "q3g_beam") {
        value = structure_elements::RootTitleText(*this, attribute, false, unitSystem);
        if (attribute == "smx" || attribute == "smt") {
            const double s = attribute == "smx" ? m_own.crackSpacingX : m_own.crackSpacingZ;
            value = s < 0.0 ? std::string("-1") : FormatValue("%5.1f", length(s));
        } else if (attribute == "axialloc")
            value = m_own.momentAxis < kCentroidalAxis ? MomentAxisText(length(m_own.momentAxis))
                                                       : std::string("-1");
    } else if (element == "shapesection") {
        const int k = ShapeParameterNumber(attribute);
        if (attribute == "name")
            value = m_own.shapeName;
        else if (k > kBeamShapeParamCount)
            value = kIgnoreText;
        else if (k > 0)
            value = FormatValue(DocumentUnits(unit) == kUnitUS ? "%4.2f" : "%3.1f",
                                length(GetShapeParameter(k)));
    } else if (element == "analysisoptions") {
        value = structure_elements::ResistanceFactorText(attribute);
        if (attribute == "clamp")
            value = "0";
        else if (attribute == "longterm")
            value = StrPrintf("%d", m_own.timeDependent);
        else if (attribute == "sustainM")
            value = FormatValue("%3.1f", ToDocument(m_own.sustainedMoment, ukMoment, unit));
        else if (attribute == "sustainN")
            value = FormatValue("%3.1f", ToDocument(m_own.sustainedAxialLoad, ukForce, unit));
        else if (attribute == "age")
            value = AgeText(m_own.ageDays);
    } else {
        bool increment = false;
        const int i = LoadIndex(attribute, increment);
        if (i >= 0) {
            const LoadVector loads = structure_elements::StoredLoads(*this, increment);
            const double shown =
                loads[static_cast<std::size_t>(i)] == 0.0
                    ? 0.0
                    : ToDocument(loads[static_cast<std::size_t>(i)], LoadKind(i), unit);
            value = FormatValue(increment ? "%3.3f" : "%3.1f", shown);
        }
    }
    return structure_elements::AnswerAttributeText(value, element, attribute, text);
}

int TBeam::GetElementText(const std::string& element,
                          int instance,
                          TTextBuffer& text,
                          int* unitSystem)
{
    if (element != "shrinktherm" && element != "straindiscont")
        return TStructure::GetElementText(element, instance, text, unitSystem);
    text.Assign("");
    if (instance > 1)
        return 0;
    AppendProfileRows(text,
                      element == "shrinktherm" ? GetPositionVariable(kShrinkTherm)
                                               : m_strainDiscontinuity,
                      GetBottom(),
                      "%5.1f",
                      "%5.3f",
                      unitSystem);
    return 1;
}

int TBeam::GetElementCount(const std::string& element)
{
    if (element == "q3g_beam" || element == "sectloading")
        return 1;
    if (element == "shapesection")
        return m_own.shapeCode == kUserShapeCode || m_own.shapeCode == kStandardTypeCode ? 0 : 1;
    if (element == "sectionHOLLOW" || element == "eleminfo")
        return 0;
    if (element == "shrinktherm")
        return ProfileCount(GetPositionVariable(kShrinkTherm));
    if (element == "straindiscont")
        return ProfileCount(m_strainDiscontinuity);
    // The long-term settings are kept also while they are not considered: ticking the box
    // again brings back the age and the sustained loads that were typed.
    if (element == "analysisoptions")
        return structure_elements::ResistanceFactorsChanged() || m_own.timeDependent != 0 ||
                       m_own.ageDays != kDefaultAgeDays || m_own.sustainedMoment != 0.0 ||
                       m_own.sustainedAxialLoad != 0.0
                   ? 1
                   : 0;
    return TStructure::GetElementCount(element);
}

int TBeam::BeginElement(const std::string& element)
{
    if (element == "q3g_beam") {
        StampDate();
        m_rootLengthRead = {};
        m_own.atDatum = false;
    }
    return TStructure::BeginElement(element);
}

int TBeam::SetAttribute(const std::string& element,
                        const std::string& attribute,
                        const std::string& value,
                        int* unitSystem)
{
    if (!IsOwnElement(element))
        return TStructure::SetAttribute(element, attribute, value, unitSystem);
    const int* unit = unitSystem;
    if (element == "q3g_beam")
        return SetRootAttribute(attribute, value, unitSystem);
    if (element == "shapesection") {
        const int k = ShapeParameterNumber(attribute);
        if (attribute == "name")
            SetShapeName(value);
        else if (k > 0 && k <= kBeamShapeParamCount) {
            // A size is kept as the document gives it, however near the one it replaces (a new
            // section's 0): SetShapeParameter leaves changes within 0.1 mm, an edit's, unstored.
            if (CheckFrozen())
                return 0;
            m_own.shapeParams[static_cast<std::size_t>(k - 1)] =
                std::clamp(FromDocument(value, ukSectionLength, unit), 0.0, kMaxShapeParam);
            SetModified(1);
        } else if (k == 0) {
            ReportUnknownAttribute(element, attribute);
            return 0;
        }
        return 1;
    }
    if (element == "eleminfo") {
        TMemberQuickDef info;
        GetStoredValues(info);
        const auto narrow = [](double v) { return static_cast<float>(v); };
        if (attribute == "L")
            info.L = narrow(FromDocument(value, ukSectionLength, unit));
        else if (attribute == "mido2")
            info.mido2 = narrow(FromDocument(value, ukSectionLength, unit));
        else if (attribute == "type")
            ReadDocumentInteger(value, info.type, element, attribute);
        else if (attribute == "leftpercent")
            info.leftpercent = narrow(FromDocument(value, ukPercent, unit));
        else if (attribute == "left")
            ReadDocumentInteger(value, info.left, element, attribute);
        else if (attribute == "right")
            ReadDocumentInteger(value, info.right, element, attribute);
        else if (attribute == "penetrate")
            info.penetrate = narrow(ReadDocumentNumber(value));
        else if (attribute == "lplate")
            info.lplate = narrow(FromDocument(value, ukSectionLength, unit));
        else if (attribute == "rplate")
            info.rplate = narrow(FromDocument(value, ukSectionLength, unit));
        else {
            ReportUnknownAttribute(element, attribute);
            return 0;
        }
        info.reserved = 0;
        info.marker = 0;
        SetStoredValues(info);
        return 1;
    }
    if (element == "analysisoptions") {
        int flag = m_own.timeDependent;
        double age = m_own.ageDays;
        double moment = m_own.sustainedMoment;
        double axial = m_own.sustainedAxialLoad;
        if (attribute == "longterm") {
            int16_t stored = m_own.timeDependent;
            ReadDocumentInteger(value, stored, element, attribute);
            flag = stored;
        }
        else if (attribute == "sustainM")
            moment = FromDocument(value, ukMoment, unit);
        else if (attribute == "sustainN")
            axial = FromDocument(value, ukForce, unit);
        else if (attribute == "age")
            age = ReadDocumentNumber(value) * kDaysPerYear;
        else if (attribute != "clamp" &&
                 !structure_elements::SetResistanceFactor(attribute, value)) {
            ReportUnknownAttribute(element, attribute);
            return 0;
        }
        SetTimeData(flag, age, moment, axial);
        return 1;
    }
    bool increment = false;
    const int i = LoadIndex(attribute, increment);
    if (i < 0) {
        ReportUnknownAttribute(element, attribute);
        return 0;
    }
    structure_elements::SetStoredLoad(*this, increment, i, FromDocument(value, LoadKind(i), unit));
    return 1;
}

int TBeam::SetElementText(const std::string& element, TTextBuffer& text, int* unitSystem)
{
    if (element == "shrinktherm") {
        SetShrinkThermCurve(ReadProfileRows(text, PositionVariableName(kShrinkTherm), unitSystem));
        return 1;
    }
    if (element == "straindiscont") {
        SetStrainDiscontinuity(ReadProfileRows(text, m_strainDiscontinuity.GetName(), unitSystem));
        return 1;
    }
    return TStructure::SetElementText(element, text, unitSystem);
}

int TBeam::EndElement(const std::string& element)
{
    if (element == "shapesection")
        UpdateExtents();
    else if (element == "sectionSOLID")
        SetShapeType(kUserShapeCode);
    return TStructure::EndElement(element);
}
