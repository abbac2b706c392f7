#include "member/MemberXmlElement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"
#include "member/MemberLimits.h"
#include "member/TMemberDefinition.h"
#include "member/fire/TStructureSlots.h"
#include "model/ElementText.h"
#include "model/TStructure.h"

namespace {

constexpr std::array<const char*, 5> kSupportWords{"Undefined", "fixedend", "roller", "fixedverticalroller",
                                                    "pin"};
constexpr std::array<const char*, 4> kAnchorageWords{"Undefined", "perfect", "straightbar", "yieldpenetrate"};

template <std::size_t N> const char* WordOf(const std::array<const char*, N>& words, int code)
{
    return code >= 0 && code < static_cast<int>(N) ? words[static_cast<std::size_t>(code)] : words[0];
}

template <std::size_t N> int CodeOf(const std::array<const char*, N>& words, const std::string& word)
{
    for (std::size_t i = 0; i < N; ++i)
        if (word == words[i])
            return static_cast<int>(i);
    return -1;
}

// Positions written as the document shows them: US customary with two decimals. A position
// that its own format cannot show within single precision (so written with ten digits) but the
// finest format of a position can is written in that one: two positions that are one value (a
// length and the support at its end, written in formats of other decimals) are then written as
// one number, and the member read back keeps them one.
std::string PositionText(double v, const int* unit, const char* otherFormat)
{
    const bool us = DocumentUnits(unit) == kUnitUS;
    const double shown = ToDocument(v, ukSectionLength, unit);
    const char* own = us ? "%3.2f" : otherFormat;
    const auto shows = [shown](const char* format) {
        return std::fabs(ReadDocumentNumber(StrPrintf(format, shown)) - shown) <=
               kSinglePrecisionFormat * std::fabs(shown);
    };
    return FormatSingleValue(!shows(own) && shows("%3.2f") ? "%3.2f" : own, shown);
}

// The texts the element writes the member's numbers as, in the document's units (positions as
// PositionText says, moments to three decimals, axial loads to one): what a read of a text gives
// is what the document keeps of the value.
std::string MemberLengthText(double v, const int* unit)
{
    return PositionText(v, unit, "%3.0f");
}
std::string SupportPositionText(double v, const int* unit)
{
    return PositionText(v, unit, "%3.1f");
}
std::string PointPositionText(double x, const int* unit)
{
    return FormatSingleValue(DocumentUnits(unit) == kUnitUS ? "%3.2f" : "%3.1f",
                             ToDocument(x, ukSectionLength, unit));
}
std::string MomentText(double moment, const int* unit)
{
    return FormatSingleValue("%3.3f", ToDocument(moment, ukMoment, unit));
}
std::string AxialLoadText(double load, const int* unit)
{
    return FormatSingleValue("%3.1f", ToDocument(load, ukForce, unit));
}
std::string YieldPenetrationText(double factor)
{
    return FormatSingleValue("%3.3f", factor);
}
std::string DisplacementText(double x, const int* unit)
{
    return FormatSingleValue("%3.2f", ToDocument(x, ukSectionLength, unit));
}

// The next non-empty word of a body (tabs and line ends between rows give empty words).
bool NextWord(TTextBuffer& body, std::string& word)
{
    while (ReadBodyWord(body, word))
        if (!word.empty())
            return true;
    return false;
}

const char* DiagramName(int k)
{
    return k == LiveDiagram ? "live moment diagram" : "dead moment diagram";
}

// The displacement location is a position along the member; a negative one (that of a member
// not defined yet, and the element's default) stands for the middle of the member.
const TypedRange kDisplacementRange{-kMaxMemberLength, kMaxMemberLength, ukSectionLength};

void ReportSurplus(const char* what, int limit)
{
    ShowMessage(StrPrintf("More than %d %s in the member definition; the rest were ignored.", limit, what),
                "Error in XML Beam Analysis File");
}

} // namespace

int MemberXmlElement::CountMemberXmlElements(const std::string& element)
{
    if (element == kMemberRootName || element == "mattypes")
        return 1;
    // A member without dead load is written with the live diagram alone, which leaves the dead
    // one to the section on reading; a dead load that grows with the load factor (flag 0) is
    // none the section gives, so its diagram is written, empty, to keep the flag.
    if (element == "BMD") {
        const bool noDeadLoad = m_d.pointCount[DeadDiagram] == 0 && m_d.axialLoad[DeadDiagram] == 0.0;
        return noDeadLoad && m_d.deadLoadConstant != 0 ? 1 : 2;
    }
    // Both supports, the right one also where it is "Undefined" (a cantilever): its plate
    // stays where the page left it, and the document says what it is.
    if (element == "supports")
        return 2;
    return 0;
}

int MemberXmlElement::GetMemberXmlAttribute(const std::string& element,
                                            const std::string& attribute,
                                            int instance,
                                            std::string& text,
                                            int* unitSystem)
{
    const int* unit = unitSystem;
    text = kNoDefinitionText;
    if (element == kMemberRootName) {
        if (instance >= 2)
            return 0;
        if (attribute == "length")
            text = MemberLengthText(m_d.length, unit);
        else if (attribute == "topplatesize")
            text = MemberLengthText(m_d.topPlateSize, unit);
        else if (attribute == "leftanchor")
            text = WordOf(kAnchorageWords, m_d.leftAnchorage);
        else if (attribute == "rightanchor")
            text = WordOf(kAnchorageWords, m_d.rightAnchorage);
        else if (attribute == "yieldpenetrateconst")
            text = YieldPenetrationText(m_d.yieldPenetrationConstant);
        else if (attribute == "displocate")
            text = DisplacementText(m_d.displacementLocation, unit);
        else if (attribute == "top_direct")
            text = StrPrintf("%d", m_d.topDirect);
    } else if (element == "BMD" && (instance == 0 || instance == 1)) {
        if (attribute == "type")
            text = instance == 0 ? "live" : "dead";
        else if (attribute == "AxialLoad")
            text = AxialLoadText(m_d.axialLoad[static_cast<std::size_t>(instance)], unit);
        else if (attribute == "isconstant")
            text = instance == 1 && m_d.deadLoadConstant != 0 ? "1" : "0";
    } else if (element == "supports" && (instance == 0 || instance == 1)) {
        const bool left = instance == 0;
        if (attribute == "which")
            text = left ? "left" : "right";
        else if (attribute == "platesize")
            text = SupportPositionText(left ? m_d.leftPlateSize : m_d.rightPlateSize, unit);
        else if (attribute == "platelocate")
            text = SupportPositionText(left ? m_d.leftPlateLocation : m_d.rightPlateLocation, unit);
        else if (attribute == "support")
            text = WordOf(kSupportWords, left ? m_d.leftSupport : m_d.rightSupport);
        else if (attribute == "direct")
            text = StrPrintf("%d", std::abs(left ? m_d.leftDirect : m_d.rightDirect));
    }
    return 1;
}

int MemberXmlElement::WriteMemberXmlData(const std::string& element, int instance, TTextBuffer& text, int* unitSystem)
{
    const int* unit = unitSystem;
    if (element == "BMD" && (instance == 0 || instance == 1)) {
        const int n = std::clamp(m_d.pointCount[static_cast<std::size_t>(instance)], 0, kMaxDiagramPoints);
        for (int i = 0; i < n; ++i) {
            const MomentPoint& p = m_d.diagrams[static_cast<std::size_t>(instance)][static_cast<std::size_t>(i)];
            text.Append("\r\n\t\t\t\t" + PointPositionText(p.x, unit) + " " +
                        MomentText(p.moment, unit) + StrPrintf(" %d", p.parabolic));
        }
    } else if (element == "mattypes" && instance == 0) {
        const int n = std::clamp(m_d.zoneCount, 0, kMaxMemberZones);
        for (int i = 0; i < n; ++i) {
            const MemberZone& z = m_d.zones[static_cast<std::size_t>(i)];
            const TStructure* s = m_slots.GetStructure(z.structureIndex);
            text.Append("\r\n\t\t\t\t");
            text.Append(SupportPositionText(z.startX, unit));
            text.Append(" \"" + XmlEscape(s != nullptr ? s->GetName() : std::string()) + "\"");
        }
    }
    return 1;
}

int MemberXmlElement::BeginMemberXmlElement(const std::string& element)
{
    if (element == kMemberRootName) {
        m_diagram = -1;
        m_support = -1;
        m_unheld.clear();
    } else if (element == "BMD") {
        // The element holds its diagram whole: one without rows (an empty element, whose body
        // is never read) is a diagram of no points, not the one the section's values gave.
        ++m_diagram;
        if (m_diagram == LiveDiagram || m_diagram == DeadDiagram)
            m_d.pointCount[static_cast<std::size_t>(m_diagram)] = 0;
    } else if (element == "supports") {
        // A member of one support element has none on the right (a cantilever, as such
        // documents were written), not the support the section's values gave it: the right
        // support's own element says what it is.
        if (++m_support == 0)
            m_d.rightSupport = SupportType::Undefined;
    } else if (element == "mattypes") {
        // The element holds every zone of the member: one without rows (written as an empty
        // element, whose body is never read) is a member of none.
        m_d.zoneCount = 0;
    }
    return 1;
}

int MemberXmlElement::SetMemberXmlAttribute(const std::string& element,
                                            const std::string& attribute,
                                            const std::string& value,
                                            int* unitSystem)
{
    int known = 0;
    if (element == kMemberRootName)
        known = SetRootAttribute(attribute, value, unitSystem);
    else if (element == "BMD")
        known = SetDiagramAttribute(attribute, value, unitSystem);
    else if (element == "supports")
        known = SetSupportAttribute(attribute, value, unitSystem);
    if (known == 0) {
        ReportUnknownAttribute(element, attribute);
        return 0;
    }
    return 1;
}

// 1 for a known attribute (stored or complained about), 0 for an unknown one.
int MemberXmlElement::SetRootAttribute(const std::string& attribute, const std::string& value, const int* unit)
{
    if (attribute == "length") {
        m_d.length = FromDocument(value, ukSectionLength, unit);
        if (std::fabs(m_d.length - kUndefinedMemberLength) > kSamePosition)
            Hold("The member", "a length", m_d.length, kMemberPositionRange, unit);
    } else if (attribute == "topplatesize") {
        m_d.topPlateSize = FromDocument(value, ukSectionLength, unit);
        Hold("The member", "a top plate size", m_d.topPlateSize, kMemberPositionRange, unit);
    } else if (attribute == "displocate") {
        m_d.displacementLocation = FromDocument(value, ukSectionLength, unit);
        Hold("The member",
             "a displacement location",
             m_d.displacementLocation,
             kDisplacementRange,
             unit);
    } else if (attribute == "yieldpenetrateconst") {
        m_d.yieldPenetrationConstant = ReadDocumentNumber(value);
        const double largest = LargestYieldPenetration();
        Hold("The member",
             "a yield penetration constant",
             m_d.yieldPenetrationConstant,
             TypedRange{-largest, largest, ukNone},
             unit);
    } else if (attribute == "top_direct")
        ReadDocumentInteger(value, m_d.topDirect, kMemberRootName, attribute);
    else if (attribute == "leftanchor" || attribute == "rightanchor") {
        const int code = CodeOf(kAnchorageWords, value);
        if (code < 0)
            ShowMessage("Uknown Anchorage Type", "XML Error");
        else
            (attribute == "leftanchor" ? m_d.leftAnchorage : m_d.rightAnchorage) = code;
    } else
        return 0;
    return 1;
}

int MemberXmlElement::SetDiagramAttribute(const std::string& attribute, const std::string& value, const int* unit)
{
    if (attribute != "isconstant" && attribute != "type" && attribute != "AxialLoad")
        return 0;
    if (m_diagram < 0 || m_diagram > 1) {
        ShowMessage("Only Two Bending Moment Diagrams Allowed", "Error in XML Beam Analysis File");
        return 1;
    }
    const bool live = m_diagram == LiveDiagram;
    if (attribute == "isconstant") {
        int32_t constant = live ? 0 : m_d.deadLoadConstant;
        ReadDocumentInteger(value, constant, "BMD", attribute);
        if (!live)
            m_d.deadLoadConstant = constant;
        else if (constant != 0)
            ShowMessage("Can't set the live load to constant", "Error in XML File");
    } else if (attribute == "type") {
        if (live && value != "live")
            ShowMessage("Live (variable) moment diagram must be presented first", "Error in XML File");
    } else {
        double& load = m_d.axialLoad[static_cast<std::size_t>(m_diagram)];
        load = FromDocument(value, ukForce, unit);
        Hold(StrPrintf("The %s", DiagramName(m_diagram)),
             "an axial load",
             load,
             kMemberForceRange,
             unit);
    }
    return 1;
}

int MemberXmlElement::SetSupportAttribute(const std::string& attribute, const std::string& value, const int* unit)
{
    if (attribute != "which" && attribute != "platesize" && attribute != "platelocate" && attribute != "support" &&
        attribute != "direct")
        return 0;
    if (m_support < 0 || m_support > 1) {
        ShowMessage("Only Two Supports Allowed", "Error in Beam Analysis XML File");
        return 1;
    }
    const bool left = m_support == 0;
    if (attribute == "which") {
        if (left && value == "right")
            ShowMessage("Left support must be specified first", "Error in XML Beam Analysis File");
        else if (!left && value == "left")
            ShowMessage("Right support must be specified second", "Error in XML Beam Analysis File");
    } else if (attribute == "platesize" || attribute == "platelocate") {
        const bool size = attribute == "platesize";
        double& field = size ? (left ? m_d.leftPlateSize : m_d.rightPlateSize)
                             : (left ? m_d.leftPlateLocation : m_d.rightPlateLocation);
        field = FromDocument(value, ukSectionLength, unit);
        Hold(left ? "The left support" : "The right support",
             size ? "a plate size" : "a location",
             field,
             kMemberPositionRange,
             unit);
    } else if (attribute == "support") {
        const int code = CodeOf(kSupportWords, value);
        if (code < 0)
            ShowMessage("Uknown Support Type", "XML Error");
        else
            (left ? m_d.leftSupport : m_d.rightSupport) = code;
    } else {
        ReadDocumentInteger(value, left ? m_d.leftDirect : m_d.rightDirect, "supports", attribute);
    }
    return 1;
}

int MemberXmlElement::ReadMemberXmlData(const std::string& element, TTextBuffer& text, int* unitSystem)
{
    if (element == "BMD")
        ReadDiagramRows(text, unitSystem);
    else if (element == "mattypes")
        ReadZoneRows(text, unitSystem);
    return 1;
}

void MemberXmlElement::ReadDiagramRows(TTextBuffer& text, const int* unit)
{
    // The record holds two diagrams: the body of a third is not stored.
    if (m_diagram < 0 || m_diagram > 1)
        return;
    const auto k = static_cast<std::size_t>(m_diagram);
    m_d.pointCount[k] = 0;
    text.Rewind();
    std::string x;
    std::string moment;
    std::string flag;
    bool surplus = false;
    while (NextWord(text, x)) {
        NextWord(text, moment);
        NextWord(text, flag);
        if (m_d.pointCount[k] >= kMaxDiagramPoints) {
            surplus = true;
            continue;
        }
        MomentPoint& p = m_d.diagrams[k][static_cast<std::size_t>(m_d.pointCount[k]++)];
        p.x = FromDocument(x, ukSectionLength, unit);
        p.moment = FromDocument(moment, ukMoment, unit);
        p.parabolic = 0;
        const std::string point =
            StrPrintf("Point %d of the %s", m_d.pointCount[k], DiagramName(m_diagram));
        Hold(point, "a position", p.x, kMemberPositionRange, unit);
        Hold(point, "a moment", p.moment, kMemberMomentRange, unit);
        ReadDocumentInteger(flag, p.parabolic, "BMD", "parabolic");
    }
    if (surplus)
        ReportSurplus("points in a bending moment diagram", kMaxDiagramPoints);
}

void MemberXmlElement::ReadZoneRows(TTextBuffer& text, const int* unit)
{
    m_d.zoneCount = 0;
    text.Rewind();
    std::string x;
    std::string name;
    bool surplus = false;
    while (NextWord(text, x)) {
        ReadBodyQuotedRaw(text, name);
        if (m_d.zoneCount >= kMaxMemberZones) {
            surplus = true;
            continue;
        }
        // A stray quote is taken off the name as it stands in the file; a quote that the name
        // itself holds is written as an entity and only appears when the entities are decoded.
        if (!name.empty() && name.front() == '"')
            name.erase(0, 1);
        if (!name.empty() && name.back() == '"')
            name.pop_back();
        name = BoundedCopy(XmlUnescape(name), kMaxZoneNameChars);
        int slot = -1;
        for (int i = 0; i < m_slots.GetSlotCount() && slot < 0; ++i) {
            const TStructure* s = m_slots.GetStructure(i);
            if (s != nullptr && s->GetName() == name)
                slot = i;
        }
        if (slot < 0) {
            ShowMessage(StrPrintf("Beam Analysis Type %s not found: Replacing with first in file.",
                                  QuoteForMessage(name).c_str()),
                        "XML Beam Analysis Definition Error");
            slot = FirstSectionSlot(m_slots);
        }
        const double start = FromDocument(x, ukSectionLength, unit);
        m_d.zones[static_cast<std::size_t>(m_d.zoneCount++)] = {start, slot};
        Hold(StrPrintf("Zone %d of the member", m_d.zoneCount),
             "a start",
             start,
             kMemberPositionRange,
             unit);
    }
    if (surplus)
        ReportSurplus("material zones", kMaxMemberZones);
}

void MemberXmlElement::Hold(const std::string& record,
                            const char* what,
                            double value,
                            const TypedRange& range,
                            const int* unit)
{
    if (m_unheld.empty())
        m_unheld = UnheldMemberValue(record, what, value, range, unit);
}

int MemberXmlElement::EndMemberXmlElement(const std::string& element)
{
    // A member without a right support (a cantilever) is written with the left one alone: until
    // a second supports element gives it one (its support word, or the definition's default),
    // the member read has none, whatever the definition read into held before.
    if (element == "supports" && m_support == 0)
        m_d.rightSupport = SupportType::Undefined;
    if (m_unheld.empty())
        return 1;
    // Told once: the reading stops here, and the document open before stays.
    ShowMessage(m_unheld + " The file cannot be read.", "Load Error");
    m_unheld.clear();
    return 0;
}

TMemberDefinition MemberAsDocumentKeepsIt(const TMemberDefinition& d, int unitSystem)
{
    // The texts the document writes, not the exact ones a comparison of documents writes.
    const ExactDocumentNumbers asWritten(false);
    const int* unit = &unitSystem;
    const auto kept = [unit](const std::string& text, int kind) {
        return FromDocument(text, kind, unit);
    };
    TMemberDefinition k = d;
    k.length = kept(MemberLengthText(d.length, unit), ukSectionLength);
    k.topPlateSize = kept(MemberLengthText(d.topPlateSize, unit), ukSectionLength);
    k.yieldPenetrationConstant =
        ReadDocumentNumber(YieldPenetrationText(d.yieldPenetrationConstant));
    k.displacementLocation = kept(DisplacementText(d.displacementLocation, unit), ukSectionLength);
    for (double* v :
         {&k.leftPlateSize, &k.leftPlateLocation, &k.rightPlateSize, &k.rightPlateLocation})
        *v = kept(SupportPositionText(*v, unit), ukSectionLength);
    for (int i = 0; i < std::clamp(d.zoneCount, 0, kMaxMemberZones); ++i) {
        double& x = k.zones[static_cast<std::size_t>(i)].startX;
        x = kept(SupportPositionText(x, unit), ukSectionLength);
    }
    for (std::size_t j : {std::size_t{LiveDiagram}, std::size_t{DeadDiagram}}) {
        k.axialLoad[j] = kept(AxialLoadText(d.axialLoad[j], unit), ukForce);
        for (int i = 0; i < std::clamp(d.pointCount[j], 0, kMaxDiagramPoints); ++i) {
            MomentPoint& p = k.diagrams[j][static_cast<std::size_t>(i)];
            p.x = kept(PointPositionText(p.x, unit), ukSectionLength);
            p.moment = kept(MomentText(p.moment, unit), ukMoment);
        }
    }
    return k;
}
