// TStructure's document callbacks: the dispatch over the element families, and the three
// material elements concrete, rebar and prestress.

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/MaterialsAsKept.h"
#include "model/StructureElements.h"
#include "model/TStructure.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"

using namespace structure_elements;

namespace {

// Rows of user stress-strain curves: |strain| in the strain unit, |stress| in the concrete
// stress unit, one row per line led by five TABs.

constexpr double kDefaultStrandYield = 1860000000.0;

bool IsBarKind(int kind)
{
    return kind == SteelKind::Reinforcing || kind == SteelKind::UserCurve;
}

// The array index of the instance-th steel type of the element's kinds, or -1.
int SteelIndexOf(const TStructure& s, bool prestress, int instance)
{
    int seen = 0;
    for (int t = 0; t < s.GetSteelTypeCount(); ++t) {
        const SteelTypeRec* steel = s.GetSteelType(t);
        const bool match =
            prestress ? steel->kind == SteelKind::Prestressing : IsBarKind(steel->kind);
        if (!match)
            continue;
        if (seen == instance)
            return t;
        ++seen;
    }
    return -1;
}

ConcreteTypeRec* LastConcrete(TStructure& s)
{
    const int n = s.GetConcreteTypeCount();
    return n > 0 ? s.GetConcreteType(n - 1) : nullptr;
}

SteelTypeRec* LastSteel(TStructure& s)
{
    const int n = s.GetSteelTypeCount();
    return n > 0 ? s.GetSteelType(n - 1) : nullptr;
}

// A concrete model code: 0 .. highest, else the fallback.
int16_t CodeWithin(const std::string& value, int highest, int16_t fallback, const std::string& attribute)
{
    int16_t code = fallback;
    ReadDocumentInteger(value, code, "concrete", attribute);
    return code < 0 || code > highest ? fallback : code;
}

// Reads (strain, stress) rows of a body into the curve, each pair scaled by `sign`.
void ReadCurveRows(TTextBuffer& text, TDepthTable& curve, double sign, const int* unit)
{
    text.Rewind();
    std::string strain;
    std::string stress;
    while (ReadBodyWord(text, strain)) {
        ReadBodyWord(text, stress);
        curve.Add(sign * FromDocument(strain, ukStrain, unit),
                  sign * FromDocument(stress, ukStress, unit));
    }
    FinishGivenCurve(curve);
}

// A curve value as its row gives it (SI units), before ReadCurveRows takes it times `sign`: a
// concrete's rows (sign -1) give compression as positive numbers and a pair on the tension
// side with its minus sign, so that it reads back on the side it was on; a steel's rows give
// magnitudes, the side its cleaning puts every given pair on.
double CurveRowValue(double value, double sign)
{
    return sign < 0.0 ? -value : std::fabs(value);
}

// The given pairs of a finished curve (GivenCurvePairs), so that a curve read back (times
// `sign`) finishes and cleans to the same curve and writes the same rows.
void AppendCurveRows(
    TTextBuffer& text, const TDepthTable& curve, bool reverse, double sign, const int* unit)
{
    std::vector<DepthPair> pairs = GivenCurvePairs(curve);
    if (reverse)
        std::reverse(pairs.begin(), pairs.end());
    for (const DepthPair& p : pairs) {
        text.Append(kBodyRowStart);
        text.Append(
            FormatValue(kCurveStrainFormat, ToDocument(CurveRowValue(p.z, sign), ukStrain, unit)));
        text.Append(" ");
        text.Append(
            FormatValue(kCurveStressFormat, ToDocument(CurveRowValue(p.v, sign), ukStress, unit)));
    }
}

std::optional<int> ConcreteAttributeText(const ConcreteTypeRec& c,
                                         const std::string& attribute,
                                         std::string& text,
                                         const int* unit)
{
    if (attribute == "fcp")
        text = FormatValue("%3.1f", -ToDocument(c.fc, ukStress, unit));
    else if (attribute == "ft")
        text = c.ftAuto != 0 ? "-1" : FormatValue("%4.2f", ToDocument(c.ft, ukStress, unit));
    else if (attribute == "e0")
        text = c.ecAuto != 0 ? "-1"
                             : FormatValue("%3.2f", std::fabs(ToDocument(c.ec, ukStrain, unit)));
    else if (attribute == "tsfactor")
        text = FormatValue("%3.1f", c.tsFactor);
    else if (attribute == "maxagg")
        text = FormatValue(DocumentUnits(unit) == kUnitUS ? "%2.2f" : "%2.1f",
                           ToDocument(c.aggregate, ukSectionLength, unit));
    else if (attribute == "c_mod")
        text = StrPrintf("%d", c.baseCurve);
    else if (attribute == "c_soft")
        text = StrPrintf("%d", c.softening);
    else if (attribute == "t_stiff")
        text = StrPrintf("%d", c.tensionStiffening);
    else if (attribute == "name")
        text = c.name;
    else
        return std::nullopt;
    return 1;
}

std::optional<int> SteelAttributeText(const SteelTypeRec& steel,
                                      bool prestress,
                                      const std::string& attribute,
                                      std::string& text,
                                      const int* unit)
{
    if (attribute == "E")
        text = FormatValue("%4.0f", ToDocument(steel.Es, ukLargeStress, unit));
    else if (attribute == "fu")
        text = FormatValue("%3.1f", ToDocument(steel.fu, ukLargeStress, unit));
    else if (attribute == "eu")
        text = FormatValue("%3.1f", ToDocument(steel.eu, ukStrain, unit));
    else if (attribute == "name")
        text = steel.name;
    else if (!prestress && attribute == "fy")
        text = FormatValue("%3.1f", ToDocument(steel.fy, ukLargeStress, unit));
    else if (!prestress && attribute == "esh")
        text = FormatValue("%3.1f", ToDocument(steel.esh, ukStrain, unit));
    else if (prestress && attribute == "A")
        text = FormatValue("%3.3f", steel.A);
    else if (prestress && attribute == "B")
        text = FormatValue("%3.1f", steel.B);
    else if (prestress && attribute == "C")
        text = FormatValue("%3.1f", steel.C);
    else
        return std::nullopt;
    return 1;
}

bool SetConcreteAttribute(ConcreteTypeRec& c,
                          const std::string& attribute,
                          const std::string& value,
                          const int* unit)
{
    if (attribute == "fcp") {
        c.fc = -std::fabs(FromDocument(value, ukStress, unit));
    } else if (attribute == "ft") {
        c.ftAuto = 0;
        if (ReadDocumentNumber(value) >= 0.0)
            c.ft = FromDocument(value, ukStress, unit);
        else
            c.ftAuto = 1;
    } else if (attribute == "e0") {
        c.ecAuto = 0;
        if (ReadDocumentNumber(value) >= 0.0)
            c.ec = -std::fabs(FromDocument(value, ukStrain, unit));
        else
            c.ecAuto = 1;
    } else if (attribute == "tsfactor") {
        c.tsFactor = FromDocument(value, ukNone, unit);
    } else if (attribute == "maxagg") {
        c.aggregate = FromDocument(value, ukSectionLength, unit);
    } else if (attribute == "c_mod") {
        c.baseCurve = CodeWithin(value, kHighestBaseCurve, BaseCurveCode::Popovics, attribute);
    } else if (attribute == "c_soft") {
        c.softening = CodeWithin(value, kHighestSoftening, SofteningCode::HawmereKelst2011, attribute);
    } else if (attribute == "t_stiff") {
        c.tensionStiffening =
            CodeWithin(value, kHighestTensionStiffening, TensionStiffeningCode::Kelst1999, attribute);
    } else if (attribute == "name") {
        c.name = NameText(value, kConcreteNameMaxChars);
    } else {
        return false;
    }
    return true;
}

bool SetSteelAttribute(SteelTypeRec& steel,
                       bool prestress,
                       const std::string& attribute,
                       const std::string& value,
                       const int* unit)
{
    if (attribute == "E")
        steel.Es = FromDocument(value, ukLargeStress, unit);
    else if (attribute == "fu")
        steel.fu = FromDocument(value, ukLargeStress, unit);
    else if (attribute == "eu")
        steel.eu = FromDocument(value, ukStrain, unit);
    else if (attribute == "name")
        steel.name = NameText(value, kSteelNameMaxChars);
    else if (!prestress && attribute == "fy")
        steel.fy = FromDocument(value, ukLargeStress, unit);
    else if (!prestress && attribute == "esh")
        steel.esh = FromDocument(value, ukStrain, unit);
    else if (prestress && attribute == "A")
        steel.A = FromDocument(value, ukNone, unit);
    else if (prestress && attribute == "B")
        steel.B = FromDocument(value, ukNone, unit);
    else if (prestress && attribute == "C")
        steel.C = FromDocument(value, ukNone, unit);
    else
        return false;
    return true;
}

bool IsMaterial(const std::string& element)
{
    return element == "concrete" || element == "rebar" || element == "prestress";
}

// The attributes of the material elements, as the document definition declares them.
constexpr const char* kConcreteAttributes[] = {
    "fcp", "ft", "e0", "tsfactor", "maxagg", "c_mod", "c_soft", "t_stiff", "name"};
constexpr const char* kRebarAttributes[] = {"fy", "E", "fu", "esh", "eu", "name"};
constexpr const char* kPrestressAttributes[] = {"fu", "E", "A", "B", "C", "eu", "name"};

// The records a document's material elements start from, before their attributes are read.
ConcreteTypeRec DocumentConcreteStart()
{
    ConcreteTypeRec record;
    InitConcreteTypeRec(record);
    record.fc = -std::fabs(MaterialDefaults.fc);
    record.name = NameText("Automatic", kConcreteNameMaxChars);
    CheckConcreteType(record, 1);
    return record;
}

SteelTypeRec DocumentSteelStart(bool prestress)
{
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.fy = prestress ? kDefaultStrandYield : 400000000.0;
    steel.kind = prestress ? SteelKind::Prestressing : SteelKind::Reinforcing;
    CheckSteelType(steel, true);
    return steel;
}

// The rows a curve's body holds read back as ReadCurveRows reads them (its pairs' row values,
// each number rounded as its text reads back, times `sign`), into a curve of the reader's name.
UserCurvePtr
CurveAsKept(const TDepthTable& curve, bool reverse, double sign, const char* name, const int* unit)
{
    std::vector<DepthPair> pairs = GivenCurvePairs(curve);
    if (reverse)
        std::reverse(pairs.begin(), pairs.end());
    auto kept = std::make_unique<TDepthTable>(name);
    for (const DepthPair& p : pairs)
        kept->Add(sign * AsDocumentKeepsIt(CurveRowValue(p.z, sign), ukStrain, unit),
                  sign * AsDocumentKeepsIt(CurveRowValue(p.v, sign), ukStress, unit));
    FinishGivenCurve(*kept);
    return UserCurvePtr(std::move(kept));
}

// Steel type t as its document gives it back: the values SteelAsDocumentKeepsIt reads back,
// checked as a read steel is. A curve steel's check works its strengths and strains out from
// the curve alone, whatever the other attributes read back; a strand's caps its strength at the
// stress its law gives at its rupture strain, of the modulus the document keeps. Within a
// document write it is worked out once, at the first of its attributes, for all of them;
// outside one, into scratch.
const SteelTypeRec& CheckedKeptSteel(TStructure& s, int t, const int* unit, SteelTypeRec& scratch)
{
    const auto work = [&](SteelTypeRec& kept) -> const SteelTypeRec& {
        kept = SteelAsDocumentKeepsIt(*s.GetSteelType(t), unit);
        CheckSteelType(kept, false);
        return kept;
    };
    TStructure::ElementWriteState& state = s.WriteState();
    if (!state.writing)
        return work(scratch);
    const int units = DocumentUnits(unit);
    if (state.keptSteels.size() <= static_cast<std::size_t>(t))
        state.keptSteels.resize(static_cast<std::size_t>(t) + 1);
    std::optional<TStructure::KeptSteel>& entry = state.keptSteels[static_cast<std::size_t>(t)];
    if (!entry || entry->unitSystem != units) {
        entry.emplace();
        entry->unitSystem = units;
        work(entry->steel);
    }
    return entry->steel;
}

} // namespace

namespace structure_elements {

bool IsCollectionFull(TStructure& s, int count, int most)
{
    if (count < most)
        return false;
    if (!s.ReadState().collectionFull)
        ShowMessage(StrPrintf("More than %d records of one kind: the file cannot be read.", most),
                    "Load Error");
    s.ReadState().collectionFull = true;
    return true;
}

std::optional<int> MaterialCount(const TStructure& s, const std::string& element)
{
    if (element == "concrete")
        return s.GetConcreteTypeCount();
    if (element != "rebar" && element != "prestress")
        return std::nullopt;
    const bool prestress = element == "prestress";
    int n = 0;
    for (int t = 0; t < s.GetSteelTypeCount(); ++t) {
        const int kind = s.GetSteelType(t)->kind;
        if (prestress ? kind == SteelKind::Prestressing : IsBarKind(kind))
            ++n;
    }
    return n;
}

std::optional<int> MaterialAttributeText(TStructure& s,
                                         const std::string& element,
                                         const std::string& attribute,
                                         int instance,
                                         std::string& text,
                                         const int* unit)
{
    if (!IsMaterial(element))
        return std::nullopt;
    std::optional<int> handled;
    if (element == "concrete") {
        if (instance < 0 || instance >= s.GetConcreteTypeCount())
            return 1;
        handled = ConcreteAttributeText(*s.GetConcreteType(instance), attribute, text, unit);
    } else {
        const bool prestress = element == "prestress";
        const int t = SteelIndexOf(s, prestress, instance);
        if (t < 0)
            return 1;
        const SteelTypeRec& steel = *s.GetSteelType(t);
        const bool curve = !prestress && steel.kind == SteelKind::UserCurve && steel.userCurve;
        if ((curve || prestress) && attribute != "name") {
            // A curve steel's strengths and strains are worked out from its curve, a strand's
            // strength is capped by its law: they are written as the values this document keeps
            // give them, which values kept in another unit system (a post-fire steel made before
            // the units changed, a strand read from a document of other units) give otherwise in
            // the last digits, so that the document opened and saved again writes them again.
            SteelTypeRec scratch;
            const SteelTypeRec& kept = CheckedKeptSteel(s, t, unit, scratch);
            handled = SteelAttributeText(kept, prestress, attribute, text, unit);
        } else {
            handled = SteelAttributeText(steel, prestress, attribute, text, unit);
        }
    }
    if (!handled) {
        ReportUnknownAttribute(element, attribute);
        text = kIgnoreText;
    }
    return 1;
}

std::optional<int> MaterialBodyText(TStructure& s,
                                    const std::string& element,
                                    int instance,
                                    TTextBuffer& text,
                                    const int* unit)
{
    if (element == "concrete") {
        if (instance < 0 || instance >= s.GetConcreteTypeCount())
            return 0;
        const ConcreteTypeRec& c = *s.GetConcreteType(instance);
        if (c.baseCurve != BaseCurveCode::UserDefined || !c.userCurve)
            return 1;
        AppendCurveRows(text, *c.userCurve, false, -1.0, unit);
        return 1;
    }
    if (element == "rebar") {
        const int t = SteelIndexOf(s, false, instance);
        if (t < 0)
            return 0;
        const SteelTypeRec& steel = *s.GetSteelType(t);
        if (steel.kind != SteelKind::UserCurve)
            return 1;
        if (!steel.userCurve) {
            ShowMessage("Error in steel segemental definition!", "Error in XML file");
            return 1;
        }
        AppendCurveRows(text, *steel.userCurve, true, 1.0, unit);
        return 1;
    }
    if (element == "prestress")
        return 1;
    return std::nullopt;
}

std::optional<int> BeginMaterial(TStructure& s, const std::string& element)
{
    if (IsMaterial(element) && IsCollectionFull(s,
                                                element == "concrete" ? s.GetConcreteTypeCount()
                                                                      : s.GetSteelTypeCount(),
                                                kMostDocumentMaterials))
        return 1;
    if (element == "concrete") {
        s.AddConcreteType(DocumentConcreteStart());
        return 1;
    }
    if (element != "rebar" && element != "prestress")
        return std::nullopt;
    s.AddSteelType(DocumentSteelStart(element == "prestress"));
    return 1;
}

std::optional<int> SetMaterialAttribute(TStructure& s,
                                        const std::string& element,
                                        const std::string& attribute,
                                        const std::string& value,
                                        const int* unit)
{
    if (!IsMaterial(element))
        return std::nullopt;
    if (s.ReadState().collectionFull)
        return 0;
    bool known = false;
    if (element == "concrete") {
        ConcreteTypeRec* c = LastConcrete(s);
        ConcreteTypeRec scratch;
        known = SetConcreteAttribute(c != nullptr ? *c : scratch, attribute, value, unit);
    } else {
        SteelTypeRec* steel = LastSteel(s);
        SteelTypeRec scratch;
        known = SetSteelAttribute(
            steel != nullptr ? *steel : scratch, element == "prestress", attribute, value, unit);
    }
    if (!known) {
        ReportUnknownAttribute(element, attribute);
        return 0;
    }
    return 1;
}

std::optional<int>
SetMaterialBody(TStructure& s, const std::string& element, TTextBuffer& text, const int* unit)
{
    if (IsMaterial(element) && s.ReadState().collectionFull)
        return 1;
    if (element == "concrete") {
        ConcreteTypeRec* c = LastConcrete(s);
        if (c == nullptr)
            return 1;
        if (!c->userCurve)
            c->userCurve.reset(std::make_unique<TDepthTable>("Segmental Concrete"));
        ReadCurveRows(text, *c->userCurve, -1.0, unit);
        return 1;
    }
    if (element == "rebar") {
        SteelTypeRec* steel = LastSteel(s);
        if (steel == nullptr)
            return 1;
        if (!steel->userCurve)
            steel->userCurve.reset(std::make_unique<TDepthTable>("Segmental Reinforcement"));
        ReadCurveRows(text, *steel->userCurve, 1.0, unit);
        steel->kind = SteelKind::UserCurve;
        return 1;
    }
    if (element == "prestress")
        return 1;
    return std::nullopt;
}

} // namespace structure_elements

// ---- The callbacks --------------------------------------------------------------------------

int TStructure::GetAttributeText(const std::string& element,
                                 const std::string& attribute,
                                 int instance,
                                 std::string& text,
                                 int* unitSystem)
{
    text = kNoDefinitionText;
    for (auto family : {MaterialAttributeText, LayerAttributeText, OutlineAttributeText}) {
        if (const auto r = family(*this, element, attribute, instance, text, unitSystem))
            return *r;
    }
    return 0;
}

int TStructure::GetElementText(const std::string& element,
                               int instance,
                               TTextBuffer& text,
                               int* unitSystem)
{
    text.Assign("");
    for (auto family : {MaterialBodyText, LayerBodyText, OutlineBodyText}) {
        if (const auto r = family(*this, element, instance, text, unitSystem))
            return *r;
    }
    return 0;
}

int TStructure::GetElementCount(const std::string& element)
{
    for (auto family : {MaterialCount, LayerCount, OutlineCount}) {
        if (const auto r = family(*this, element))
            return *r;
    }
    return 0;
}

int TStructure::BeginElement(const std::string& element)
{
    std::string root;
    GetRootElementName(root);
    if (!root.empty() && element == root)
        m_readState = ElementReadState();
    if (BeginMaterial(*this, element))
        return 1;
    BeginLayer(*this, element);
    return 1;
}

int TStructure::SetAttribute(const std::string& element,
                             const std::string& attribute,
                             const std::string& value,
                             int* unitSystem)
{
    for (auto family : {SetMaterialAttribute, SetLayerAttribute, SetOutlineAttribute}) {
        if (const auto r = family(*this, element, attribute, value, unitSystem))
            return *r;
    }
    return 0;
}

int TStructure::SetElementText(const std::string& element, TTextBuffer& text, int* unitSystem)
{
    for (auto family : {SetMaterialBody, SetLayerBody, SetOutlineBody}) {
        if (const auto r = family(*this, element, text, unitSystem))
            return *r;
    }
    return 1;
}

int TStructure::EndElement(const std::string& element)
{
    if (const auto r = EndLayer(*this, element))
        return *r;
    return 1;
}

// ---- Materials as their document keeps them ------------------------------------------------

ConcreteTypeRec ConcreteAsDocumentKeepsIt(const ConcreteTypeRec& c, const int* unit)
{
    ConcreteTypeRec kept = DocumentConcreteStart();
    std::string text;
    for (const char* attribute : kConcreteAttributes) {
        ConcreteAttributeText(c, attribute, text, unit);
        SetConcreteAttribute(kept, attribute, text, unit);
    }
    if (c.baseCurve == BaseCurveCode::UserDefined && c.userCurve)
        kept.userCurve = CurveAsKept(*c.userCurve, false, -1.0, "Segmental Concrete", unit);
    return kept;
}

SteelTypeRec SteelAsDocumentKeepsIt(const SteelTypeRec& steel, const int* unit)
{
    const bool prestress = steel.kind == SteelKind::Prestressing;
    SteelTypeRec kept = DocumentSteelStart(prestress);
    std::string text;
    if (prestress) {
        for (const char* attribute : kPrestressAttributes) {
            SteelAttributeText(steel, true, attribute, text, unit);
            SetSteelAttribute(kept, true, attribute, text, unit);
        }
        return kept;
    }
    for (const char* attribute : kRebarAttributes) {
        SteelAttributeText(steel, false, attribute, text, unit);
        SetSteelAttribute(kept, false, attribute, text, unit);
    }
    if (steel.kind == SteelKind::UserCurve && steel.userCurve) {
        kept.userCurve = CurveAsKept(*steel.userCurve, true, 1.0, "Segmental Reinforcement", unit);
        kept.kind = SteelKind::UserCurve;
    }
    return kept;
}
