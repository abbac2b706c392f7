// The outline, fire and experimental-data elements of TStructure's document callbacks:
// sectionSOLID (rows of height, width and concrete name, heights from the section bottom),
// firedata (five settings, no units) and experimentaldata (one numbered value list each).

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"
#include "model/ElementText.h"
#include "model/FireDefaults.h"
#include "model/StructureElements.h"
#include "model/TStructure.h"

namespace {

constexpr int kValuesPerRow = 7;

// The array index of the instance-th existing value list, or -1.
int ExistingListIndex(const TStructure& s, int instance)
{
    int seen = 0;
    for (int i = 0; i < kValueListCount; ++i) {
        if (s.GetValueList(i) == nullptr)
            continue;
        if (seen == instance)
            return i;
        ++seen;
    }
    return -1;
}

void AppendOutlineRows(const TStructure& s, TTextBuffer& text, const int* unit)
{
    if (s.GetRegionCount() == 0)
        return;
    const char* format = DocumentUnits(unit) == kUnitUS ? "%3.2f" : "%3.1f";
    // Heights are measured from the lowest region bottom itself, so that the bottom row is
    // written as 0 exactly (a membrane element's extents are its thickness about mid-depth,
    // which rounds otherwise).
    double bottom = s.GetRegion(0)->bottom;
    for (int r = 1; r < s.GetRegionCount(); ++r)
        bottom = std::min(bottom, s.GetRegion(r)->bottom);
    // One row: height above the bottom and width, TAB-separated.
    const auto row = [&](double y, double w) {
        return kBodyRowStart + FormatValue(format, ToDocument(y, ukSectionLength, unit)) + "\t" +
               FormatValue(format, ToDocument(w, ukSectionLength, unit));
    };
    // A region starts where the previous named row left off unless a row gives its top. That
    // row is written whenever the region's top would read back otherwise: a new width where
    // regions touch, and the top of a region that stands apart from the one above it or
    // overlaps it.
    std::string previous;
    for (int r = 0; r < s.GetRegionCount(); ++r) {
        const ConcreteRegionRec& region = *s.GetRegion(r);
        const std::string top = row(region.top - bottom, region.topWidth);
        if (top != previous)
            text.Append(top);
        const bool typed = region.concreteType >= 0 && region.concreteType < s.GetConcreteTypeCount();
        const std::string name =
            typed ? XmlEscape(s.GetConcreteType(region.concreteType)->name) : std::string();
        previous = row(region.bottom - bottom, region.bottomWidth);
        text.Append(previous + "\t\"" + name + "\"");
    }
}

void ReadOutlineRows(TStructure& s, TTextBuffer& text, const int* unit)
{
    s.DeleteRegions();
    s.ReadState().unreadRegion = 0;
    s.ReadState().unknownConcrete.reset();
    double topY = -1.0;
    double topW = -1.0;
    text.Rewind();
    std::string y;
    std::string w;
    std::string name;
    while (ReadBodyWord(text, y)) {
        ReadBodyWord(text, w);
        text.SkipBlanks();
        if (text.NotAtEnd() && text.PeekChar() != '"') {
            topY = FromDocument(y, ukSectionLength, unit);
            topW = FromDocument(w, ukSectionLength, unit);
            ReadBodyWord(text, y);
            ReadBodyWord(text, w);
        }
        ReadBodyQuoted(text, name);
        int type = -1;
        for (int t = 0; t < s.GetConcreteTypeCount(); ++t) {
            if (s.GetConcreteType(t)->name == name)
                type = t;
        }
        // An element saved before it was given its concrete (a new membrane element) names
        // none; its outline is kept as it was.
        if (type < 0 && name.empty() && s.GetConcreteTypeCount() == 0)
            type = 0;
        // A row naming a concrete the structure does not define, or a region past the most it
        // holds, ends the reading. The read state says what was not read, for the document's
        // reader to refuse the structure with one message (DescribeUndefinedConcreteType); the
        // part read is no outline of it, and the rest of the structure is read and validated
        // without one, quietly, rather than against a part of its concrete.
        const bool full = s.GetRegionCount() >= s.GetMaxRegions();
        if (type < 0 || full) {
            s.ReadState().unreadRegion = s.GetRegionCount() + 1;
            if (type < 0)
                s.ReadState().unknownConcrete = name;
            s.DeleteRegions();
            return;
        }
        const double bottomY = FromDocument(y, ukSectionLength, unit);
        const double bottomW = FromDocument(w, ukSectionLength, unit);
        if (s.AddRegion(topY, bottomY, topW, bottomW, type, 0) == 0)
            return;
        topY = bottomY;
        topW = bottomW;
    }
    s.UpdateExtents();
}

struct FireSettings {
    int exposure = 0;
    int type = 0;
    int rebarperform = 0;
    double time = 0.0;
    double temp = 0.0;
};

constexpr const char* kFireAttributes[] = {"exposure", "type", "rebarperform", "time", "constanttemp"};

std::optional<std::string> FireText(const FireSettings& f, const std::string& attribute)
{
    if (attribute == "exposure")
        return StrPrintf("%d", f.exposure);
    if (attribute == "type")
        return StrPrintf("%d", f.type);
    if (attribute == "rebarperform")
        return StrPrintf("%d", f.rebarperform);
    if (attribute == "time")
        return FormatValue("%1.0f", f.time);
    if (attribute == "constanttemp")
        return FormatValue("%1.1f", f.temp);
    return std::nullopt;
}

FireSettings StoredFireSettings(const TStructure& s)
{
    FireSettings f;
    s.GetFireData(f.exposure, f.type, f.rebarperform, f.time, f.temp);
    return f;
}

// The settings are written whenever one of them would be written otherwise than its
// default: an exposure of 29 or 31 minutes is the user's and must come back as such.
bool FireSettingsChanged(const TStructure& s)
{
    const FireSettings stored = StoredFireSettings(s);
    FireSettings defaults;
    GetDefaultFireData(defaults.exposure, defaults.type, defaults.rebarperform, defaults.time, defaults.temp);
    const ExactDocumentNumbers asWritten(false);
    for (const char* attribute : kFireAttributes) {
        if (FireText(stored, attribute) != FireText(defaults, attribute))
            return true;
    }
    return false;
}

bool SetFireAttribute(TStructure& s, const std::string& attribute, const std::string& value)
{
    FireSettings f = StoredFireSettings(s);
    if (attribute == "exposure")
        ReadDocumentInteger(value, f.exposure, "firedata", attribute);
    else if (attribute == "type")
        ReadDocumentInteger(value, f.type, "firedata", attribute);
    else if (attribute == "rebarperform")
        ReadDocumentInteger(value, f.rebarperform, "firedata", attribute);
    else if (attribute == "time")
        f.time = ReadDocumentNumber(value);
    else if (attribute == "constanttemp")
        f.temp = ReadDocumentNumber(value);
    else
        return false;
    s.SetFireData(f.exposure, f.type, f.rebarperform, f.time, f.temp);
    return true;
}

// The list a bin names: one of the bin names, else the number it reads as (-1 for a number
// beyond the integers).
int BinIndex(const std::string& value, const std::string& attribute)
{
    for (int i = 0; i < kValueListCount; ++i) {
        if (value == ValueListBinName(i))
            return i;
    }
    int index = -1;
    ReadDocumentInteger(value, index, "experimentaldata", attribute);
    return index;
}

void ReadValueRows(TStructure& s, TTextBuffer& text)
{
    int target = -1;
    for (int i = kValueListCount - 1; i >= 0 && target < 0; --i) {
        if (s.GetValueList(i) != nullptr)
            target = i;
    }
    if (target < 0) {
        ShowMessage("Error in experimental data!", "Error in XML file");
        return;
    }
    const TdoubleArray& list = *s.GetValueList(target);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(list.GetCount()));
    for (int k = 0; k < list.GetCount(); ++k)
        values.push_back(list.At(k));
    text.Rewind();
    std::string word;
    while (ReadBodyWord(text, word))
        values.push_back(ReadDocumentNumber(word));
    s.SetValueList(target, values.data(), static_cast<int>(values.size()));
}

} // namespace

namespace structure_elements {

std::optional<int> OutlineCount(const TStructure& s, const std::string& element)
{
    if (element == "sectionSOLID")
        return 1;
    if (element == "firedata")
        return FireSettingsChanged(s) ? 1 : 0;
    if (element == "experimentaldata") {
        int n = 0;
        while (ExistingListIndex(s, n) >= 0)
            ++n;
        return n;
    }
    return std::nullopt;
}

std::optional<int> OutlineAttributeText(TStructure& s,
                                        const std::string& element,
                                        const std::string& attribute,
                                        int instance,
                                        std::string& text,
                                        const int*)
{
    if (element == "firedata") {
        if (const auto value = FireText(StoredFireSettings(s), attribute)) {
            text = *value;
            return 1;
        }
        ReportUnknownAttribute(element, attribute);
        text = kIgnoreText;
        return 0;
    }
    if (element == "experimentaldata") {
        if (attribute == "bin") {
            text = ValueListBinName(ExistingListIndex(s, instance));
            return 1;
        }
        ReportUnknownAttribute(element, attribute);
        text = kIgnoreText;
        return 1;
    }
    if (element == "sectionSOLID")
        return 0;
    return std::nullopt;
}

std::optional<int> OutlineBodyText(TStructure& s,
                                   const std::string& element,
                                   int instance,
                                   TTextBuffer& text,
                                   const int* unit)
{
    if (element == "sectionSOLID") {
        AppendOutlineRows(s, text, unit);
        return 1;
    }
    if (element != "experimentaldata")
        return std::nullopt;
    const int index = ExistingListIndex(s, instance);
    if (index < 0)
        return 0;
    const TdoubleArray& list = *s.GetValueList(index);
    text.Append("\r\n");
    for (int k = 0; k < list.GetCount(); ++k) {
        const double v = list.At(k);
        // Measured values are kept as they are: digits the short formats would drop are
        // written too.
        text.Append(FormatExactValue(std::fabs(v) <= 1.0 ? " %5.7f" : " %5.0f", v));
        if ((k + 1) % kValuesPerRow == 0)
            text.Append("\r\n");
    }
    return 1;
}

std::optional<int> SetOutlineAttribute(TStructure& s,
                                       const std::string& element,
                                       const std::string& attribute,
                                       const std::string& value,
                                       const int*)
{
    if (element == "sectionSOLID")
        return 0;
    if (element == "firedata") {
        if (SetFireAttribute(s, attribute, value))
            return 1;
        ReportUnknownAttribute(element, attribute);
        return 0;
    }
    if (element != "experimentaldata")
        return std::nullopt;
    if (attribute != "bin") {
        const int index = BinIndex(value, attribute);
        if (index >= 0 && index < kValueListCount)
            ReportUnknownAttribute(element, attribute);
        return 0;
    }
    const int index = BinIndex(value, attribute);
    if (index < 0 || index >= kValueListCount)
        return 0;
    s.SetValueList(index, nullptr, 0);
    return 1;
}

std::optional<int>
SetOutlineBody(TStructure& s, const std::string& element, TTextBuffer& text, const int* unit)
{
    if (element == "sectionSOLID") {
        ReadOutlineRows(s, text, unit);
        return 1;
    }
    if (element == "experimentaldata") {
        ReadValueRows(s, text);
        return 1;
    }
    return std::nullopt;
}

} // namespace structure_elements
