// The reinforcement-layer elements of TStructure's document callbacks: longreinfx/y/z,
// transreinfx/y/z (one empty element per layer), rebarthermx/y (the bars' thermal strains by
// layer name) and transthermx/y/z (the stirrups' thermal strains by layer name, written only
// when a stirrup carries one). Heights are written from the section bottom and read as they
// stand.

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "foundation/NameText.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"
#include "model/ElementText.h"
#include "model/LayerLimits.h"
#include "model/StructureElements.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"

namespace {

// A prestrain of exactly this is written as "0.000001" so that it survives the two decimals
// of the strain unit.
constexpr double kTinyPrestrain = 1e-9;
constexpr double kUsAreaFactor = 1550.003;
constexpr double kUsLengthFactor = 39.37008;

bool IsUserBar(int barIndex, const std::string& title)
{
    return barIndex < 0 && g_RebarList.IsStandard(title) == 0;
}

std::string AreaText(double area, const int* unit)
{
    if (DocumentUnits(unit) == kUnitUS)
        return FormatValue("%3.3f", area * kUsAreaFactor);
    return FormatValue("%3.1f", ToDocument(area, ukArea, unit));
}

std::string DiameterText(double db, const int* unit)
{
    return FormatValue("%3.1f", ToDocument(db, ukSectionLength, unit));
}

// A titled bar that travels with its own size: one named by a title that "rebar.dat" does not
// hold (one an older file brought, which the catalogue knows for this run only), and one whose
// size differs from the catalogue bar of its title (an older file's own "20M", or a bar kept
// from a run whose "rebar.dat" differed). Its document reads the same bar whatever the
// catalogue of a later run holds. The sizes are compared as the document writes them, so a bar
// of the catalogue's size is written by its title alone.
template <typename Layer> bool HasOwnSize(const Layer& layer, const int* unit)
{
    if (layer.bartitle.empty())
        return false;
    if (!g_RebarList.IsListed(layer.bartitle))
        return true;
    const int listed = g_RebarList.FindByName(layer.bartitle);
    // A bar of the catalogue's very size writes the catalogue's texts: no need to write them.
    if (layer.Ai == g_RebarList.GetArea(listed) && layer.db == g_RebarList.GetDiameter(listed))
        return false;
    const ExactDocumentNumbers asWritten(false);
    return AreaText(layer.Ai, unit) != AreaText(g_RebarList.GetArea(listed), unit) ||
           DiameterText(layer.db, unit) != DiameterText(g_RebarList.GetDiameter(listed), unit);
}

std::string SteelName(const TStructure& s, int type)
{
    if (type < 0 || type >= s.GetSteelTypeCount())
        return kIgnoreText;
    return s.GetSteelType(type)->name;
}

// Attributes that both layer kinds share; nullopt for another attribute.
template <typename Layer>
std::optional<std::string> SharedLayerText(const TStructure& s,
                                           const Layer& layer,
                                           const std::string& attribute,
                                           const int* unit)
{
    const auto userBar = [&] { return HasOwnSize(layer, unit) || IsUserBar(layer.barIndex, layer.bartitle); };
    if (attribute == "A") {
        // A layer of bars whose bar area is written is read back as its bars' total: its total
        // is written as that one, so that the document read again writes the same total.
        if constexpr (std::is_same_v<Layer, LongLayerRec>) {
            if (userBar() && layer.num > 0)
                return AreaText(layer.num * FromDocument(AreaText(layer.Ai, unit), ukArea, unit), unit);
        }
        return AreaText(layer.A, unit);
    }
    if (attribute == "Ai")
        return userBar() ? AreaText(layer.Ai, unit) : std::string(kIgnoreText);
    if (attribute == "db")
        return userBar() ? DiameterText(layer.db, unit) : std::string(kIgnoreText);
    if (attribute == "pattern")
        return StrPrintf("%d", layer.pattern);
    if (attribute == "name")
        return layer.name;
    if (attribute == "bartitle")
        return layer.barIndex >= 0 || HasOwnSize(layer, unit) ? layer.bartitle : std::string(kIgnoreText);
    if (attribute == "type")
        return SteelName(s, layer.type);
    return std::nullopt;
}

std::optional<std::string> LongLayerText(const TStructure& s,
                                         const LongLayerRec& layer,
                                         const std::string& attribute,
                                         const int* unit)
{
    if (attribute == "z")
        return FormatValue("%3.2f", ToDocument(layer.z - s.GetBottom(), ukSectionLength, unit));
    if (attribute == "drape")
        return FormatValue("%3.2f", ToDocument(layer.drape, ukPercent, unit));
    if (attribute == "space")
        return FormatValue("%3.1f", ToDocument(layer.space, ukSectionLength, unit));
    if (attribute == "dep")
        return layer.dep == kTinyPrestrain
                   ? std::string("0.000001")
                   : FormatValue("%4.2f", ToDocument(layer.dep, ukStrain, unit));
    if (attribute == "index")
        return StrPrintf("%d", layer.index);
    if (attribute == "num")
        return StrPrintf("%d", layer.num);
    if (attribute == "aligned")
        return StrPrintf("%d", layer.aligned);
    if (attribute == "nround")
        return StrPrintf("%d",
                         layer.nround < 0 || layer.nround > kMaxBarsPerPattern ? 0 : layer.nround);
    return SharedLayerText(s, layer, attribute, unit);
}

std::optional<std::string> TransLayerText(const TStructure& s,
                                          const TransLayerRec& layer,
                                          const std::string& attribute,
                                          const int* unit)
{
    if (attribute == "space")
        return DocumentUnits(unit) == kUnitUS
                   ? FormatValue("%3.2f", layer.space * kUsLengthFactor)
                   : FormatValue("%3.1f", ToDocument(layer.space, ukSectionLength, unit));
    if (attribute == "disttop")
        return FormatValue("%3.1f",
                           ToDocument(layer.disttop - s.GetBottom(), ukSectionLength, unit));
    if (attribute == "distbot")
        return FormatValue("%3.1f",
                           ToDocument(layer.distbot - s.GetBottom(), ukSectionLength, unit));
    if (attribute == "dep")
        return FormatValue("%4.2f", ToDocument(layer.dep, ukStrain, unit));
    return SharedLayerText(s, layer, attribute, unit);
}

// bartitle: the catalogue gives the bar's area and diameter, save what the document gives of
// them itself (before the title, as written): that is the bar's own size, which a catalogue bar
// of the same title does not replace. The total area stays. A title "rebar.dat" does not hold
// names the document's own bar when the document gives its area and diameter.
template <typename Layer> int SetBarTitle(const TStructure& s, Layer& layer, const std::string& value)
{
    if (value.empty())
        return 1;
    layer.bartitle = NameText(value, kBarTitleChars);
    layer.barIndex = g_RebarList.FindByName(layer.bartitle);
    const bool areaGiven = s.ReadState().barAreaGiven;
    const bool diameterGiven = s.ReadState().barDiameterGiven;
    if (areaGiven && diameterGiven && !g_RebarList.IsListed(layer.bartitle)) {
        layer.barIndex = -1;
        return 1;
    }
    if (layer.barIndex < 0) {
        ShowMessage(StrPrintf("Unknown Bar type \"%s\"", layer.bartitle.c_str()), "Load Error");
        return 0;
    }
    if (!diameterGiven)
        layer.db = g_RebarList.GetDiameter(layer.barIndex);
    if (!areaGiven)
        layer.Ai = g_RebarList.GetArea(layer.barIndex);
    return 1;
}

// type: the steel type of that name, the last one when several share it.
template <typename Layer>
int SetSteelTypeName(const TStructure& s, Layer& layer, const std::string& value)
{
    if (value == kNotFoundText)
        return 1;
    layer.type = -1;
    for (int t = 0; t < s.GetSteelTypeCount(); ++t) {
        if (s.GetSteelType(t)->name == value)
            layer.type = t;
    }
    if (layer.type < 0) {
        ShowMessage(StrPrintf("Invalid Steel Material Type : \"%s\"",
                              QuoteForMessage(value).c_str()),
                    "Error in Materials");
        layer.type = 0;
        return 0;
    }
    return 1;
}

// 1 stored, 0 to stop the read, -1 an attribute the layer kinds do not have.
template <typename Layer>
int SetSharedLayerAttribute(const TStructure& s,
                            Layer& layer,
                            const std::string& element,
                            const std::string& attribute,
                            const std::string& value,
                            const int* unit)
{
    if (attribute == "A")
        layer.A = FromDocument(value, ukArea, unit);
    else if (attribute == "db")
        layer.db = FromDocument(value, ukSectionLength, unit);
    else if (attribute == "pattern")
        ReadDocumentInteger(value, layer.pattern, element, attribute);
    else if (attribute == "name")
        layer.name = NameText(value, kLayerNameChars);
    else if (attribute == "bartitle")
        return SetBarTitle(s, layer, value);
    else if (attribute == "type")
        return SetSteelTypeName(s, layer, value);
    else
        return -1;
    return 1;
}

int SetLongAttribute(const TStructure& s,
                     LongLayerRec& layer,
                     const std::string& element,
                     const std::string& attribute,
                     const std::string& value,
                     const int* unit)
{
    if (attribute == "z") {
        layer.z = FromDocument(value, ukSectionLength, unit);
    } else if (attribute == "Ai") {
        layer.Ai = FromDocument(value, ukArea, unit);
        layer.A = layer.num * layer.Ai;
    } else if (attribute == "num") {
        ReadDocumentInteger(value, layer.num, element, attribute);
        layer.A = layer.num * layer.Ai;
    } else if (attribute == "drape") {
        layer.drape = FromDocument(value, ukPercent, unit);
    } else if (attribute == "space") {
        layer.space = FromDocument(value, ukSectionLength, unit);
    } else if (attribute == "dep") {
        layer.dep = FromDocument(value, ukStrain, unit);
    } else if (attribute == "index") {
        ReadDocumentInteger(value, layer.index, element, attribute);
    } else if (attribute == "aligned") {
        ReadDocumentInteger(value, layer.aligned, element, attribute);
    } else if (attribute == "nround") {
        ReadDocumentInteger(value, layer.nround, element, attribute);
    } else {
        return SetSharedLayerAttribute(s, layer, element, attribute, value, unit);
    }
    return 1;
}

int SetTransAttribute(const TStructure& s,
                      TransLayerRec& layer,
                      const std::string& element,
                      const std::string& attribute,
                      const std::string& value,
                      const int* unit)
{
    if (attribute == "Ai")
        layer.Ai = FromDocument(value, ukArea, unit);
    else if (attribute == "space")
        layer.space = FromDocument(value, ukSectionLength, unit);
    else if (attribute == "disttop")
        layer.disttop = FromDocument(value, ukSectionLength, unit);
    else if (attribute == "distbot")
        layer.distbot = FromDocument(value, ukSectionLength, unit);
    else if (attribute == "dep")
        layer.dep = FromDocument(value, ukStrain, unit);
    else
        return SetSharedLayerAttribute(s, layer, element, attribute, value, unit);
    return 1;
}

bool ServesLong(const TStructure& s, int direction)
{
    return direction >= 0 && direction < std::min(s.GetLongDirectionCount(), 2);
}

bool ServesTrans(const TStructure& s, int direction)
{
    return direction >= 3 - s.GetTransDirectionCount() && direction <= 2 && direction >= 0;
}

// A layer element of a direction the kind has no layers in adds nothing; the first of a read
// is noted in the load-error log.
void NoteUnservedLayer(TStructure& s, const std::string& element)
{
    if (s.ReadState().unservedLayerReported)
        return;
    s.ReadState().unservedLayerReported = true;
    AddLoadError(StrPrintf("Reinforcement element \"%s\" ignored: this element has no layers "
                           "in that direction.",
                           element.c_str()));
}

// A value of kind `kind` as the document writes it, judged before it is read: a number too
// large to read, or one that is no number, stays what it is.
double AsWritten(const std::string& value, int kind, const int* unit)
{
    return ReadDocumentNumberAsWritten(value) / UnitFactor(kind, DocumentUnits(unit));
}

// A bar no section holds (model/LayerLimits.h), by its diameter or by its area, refuses the
// document as a count of bars does: told with the layer's number and its own name (known when
// the element's attributes are all read) and the value as the document gives it. A
// longitudinal layer's total area is shared among the bars it has so far (bars); a transverse
// layer's (bars 0) is held to the most bars a layer holds. An area that is negative or no
// number refuses it too. Nothing when the value is held.
std::function<std::string(const std::string&)> UnheldBarRefusal(const char* kind,
                                                                 int n,
                                                                 const std::string& attribute,
                                                                 const std::string& value,
                                                                 const int* unit,
                                                                 int bars)
{
    std::string among; // the bars a longitudinal layer's total area is shared among
    if (attribute == "A" && bars > 0)
        among = StrPrintf(" in %d bar%s", bars, bars == 1 ? "" : "s");
    // An area that is negative or no number ("nan", which would read as 0) is no bar's.
    if ((attribute == "A" || attribute == "Ai") && !IsAreaValue(AsWritten(value, ukArea, unit))) {
        const std::string has = attribute + "=\"" + QuoteForMessage(value) + "\"" + among;
        return [kind, n, has](const std::string& name) {
            return AreaValueText(kind, n, name, has) + " The file cannot be read.";
        };
    }
    std::string limit;
    if (attribute == "db") {
        if (IsHeldBarDiameter(AsWritten(value, ukSectionLength, unit)))
            return nullptr;
        limit = "a bar is at most " + MaxBarDiameterText() + " across";
    } else if (attribute == "Ai") {
        if (IsHeldBarArea(AsWritten(value, ukArea, unit)))
            return nullptr;
        limit = "a bar is at most " + MaxBarAreaText();
    } else if (attribute == "A") {
        const double A = AsWritten(value, ukArea, unit);
        if (bars > 0 ? IsHeldLayerArea(A, bars) : IsHeldTransArea(A))
            return nullptr;
        if (bars > 0) {
            limit = "a bar is at most " + MaxBarAreaText();
        } else {
            limit = StrPrintf("a layer holds at most %d bars of %s", kMaxBarsPerPattern, MaxBarAreaText().c_str());
        }
    } else {
        return nullptr;
    }
    const std::string rest = StrPrintf(" has %s=\"%s\"%s: %s. The file cannot be read.",
                                       attribute.c_str(),
                                       QuoteForMessage(value).c_str(),
                                       among.c_str(),
                                       limit.c_str());
    return [kind, n, rest](const std::string& name) {
        return StrPrintf("%s layer %d (\"%s\")", kind, n, name.c_str()) + rest;
    };
}

// Notes the first refusal of the layer element being read; its value is not stored.
bool NoteLayerRefusal(TStructure& s, std::function<std::string(const std::string&)> refusal)
{
    if (!refusal)
        return false;
    if (!s.ReadState().layerRefusal)
        s.ReadState().layerRefusal = std::move(refusal);
    return true;
}

// The layers whose thermal strains an element's rows carry, by layer name: rebarthermx/y those
// of the longitudinal layers of x and y, transthermx/y/z those of the transverse layers
// (stirrups) of their direction. served: the structure has layers in that direction.
struct StrainRows {
    bool transverse = false;
    int direction = -1;
    bool served = false;
};

std::optional<StrainRows> StrainRowsOf(const TStructure& s, const std::string& element)
{
    if (const int d = structure_elements::LayerDirection(element, "rebartherm"); d == 0 || d == 1)
        return StrainRows{false, d, ServesLong(s, d)};
    if (const int d = structure_elements::LayerDirection(element, "transtherm"); d >= 0)
        return StrainRows{true, d, ServesTrans(s, d)};
    return std::nullopt;
}

int RowLayerCount(const TStructure& s, const StrainRows& rows)
{
    if (!rows.served)
        return 0;
    return rows.transverse ? s.GetTransLayerCount(rows.direction)
                           : s.GetLongLayerCount(rows.direction);
}

const std::string& RowLayerName(const TStructure& s, const StrainRows& rows, int i)
{
    return rows.transverse ? s.GetTransLayer(i, rows.direction)->name
                           : s.GetLongLayer(i, rows.direction)->name;
}

double RowLayerStrain(const TStructure& s, const StrainRows& rows, int i)
{
    return rows.transverse ? s.GetTransLayer(i, rows.direction)->thermStrain
                           : s.GetLongLayer(i, rows.direction)->thermStrain;
}

void SetRowLayerStrain(TStructure& s, const StrainRows& rows, int i, double value)
{
    if (rows.transverse)
        s.SetTransLayerValue(i, value, rows.direction);
    else
        s.SetLongLayerThermStrain(i, value, rows.direction);
}

// A new layer element has given no measure of its bar yet.
void ForgetGivenBarSize(TStructure& s)
{
    s.ReadState().barAreaGiven = false;
    s.ReadState().barDiameterGiven = false;
}

// Notes which of its bar's measures the layer element being read gives itself.
void NoteGivenBarSize(TStructure& s, const std::string& attribute)
{
    TStructure::ElementReadState& state = s.ReadState();
    if (state.takingDefaults)
        return;
    if (attribute == "Ai")
        state.barAreaGiven = true;
    else if (attribute == "db")
        state.barDiameterGiven = true;
}

} // namespace

namespace structure_elements {

int LayerDirection(const std::string& element, const char* stem)
{
    const std::string prefix(stem);
    if (element.size() != prefix.size() + 1 || element.compare(0, prefix.size(), prefix) != 0)
        return -1;
    switch (element.back()) {
    case 'x':
        return 0;
    case 'y':
        return 1;
    case 'z':
        return 2;
    default:
        return -1;
    }
}

std::optional<int> LayerCount(const TStructure& s, const std::string& element)
{
    if (const int d = LayerDirection(element, "longreinf"); d >= 0)
        return ServesLong(s, d) ? s.GetLongLayerCount(d) : 0;
    if (const int d = LayerDirection(element, "transreinf"); d >= 0)
        return ServesTrans(s, d) ? s.GetTransLayerCount(d) : 0;
    const auto rows = StrainRowsOf(s, element);
    if (!rows)
        return std::nullopt;
    for (int i = 0; i < RowLayerCount(s, *rows); ++i) {
        if (std::fabs(RowLayerStrain(s, *rows, i)) > 0.0)
            return 1;
    }
    return 0;
}

std::optional<int> LayerAttributeText(TStructure& s,
                                      const std::string& element,
                                      const std::string& attribute,
                                      int instance,
                                      std::string& text,
                                      const int* unit)
{
    std::optional<std::string> value;
    if (const int d = LayerDirection(element, "longreinf"); d >= 0) {
        if (!ServesLong(s, d) || instance < 0 || instance >= s.GetLongLayerCount(d))
            return 1;
        value = LongLayerText(s, *s.GetLongLayer(instance, d), attribute, unit);
    } else if (const int t = LayerDirection(element, "transreinf"); t >= 0) {
        if (!ServesTrans(s, t) || instance < 0 || instance >= s.GetTransLayerCount(t))
            return 1;
        value = TransLayerText(s, *s.GetTransLayer(instance, t), attribute, unit);
    } else {
        return std::nullopt;
    }
    if (value) {
        text = *value;
    } else {
        ReportUnknownAttribute(element, attribute);
        text = kIgnoreText;
    }
    return 1;
}

std::optional<int> LayerBodyText(TStructure& s,
                                 const std::string& element,
                                 int instance,
                                 TTextBuffer& text,
                                 const int* unit)
{
    const auto rows = StrainRowsOf(s, element);
    if (!rows)
        return std::nullopt;
    if (instance != 0)
        return 1;
    for (int i = 0; i < RowLayerCount(s, *rows); ++i) {
        text.Append("\r\n\t\t\t\t\"" + XmlEscape(RowLayerName(s, *rows, i)) + "\" " +
                    FormatValue("%3.3f", ToDocument(RowLayerStrain(s, *rows, i), ukStrain, unit)));
    }
    return 1;
}

std::optional<int> BeginLayer(TStructure& s, const std::string& element)
{
    if (LayerDirection(element, "longreinf") >= 0 || LayerDirection(element, "transreinf") >= 0)
        s.ReadState().layerRefusal = nullptr;
    if (const int d = LayerDirection(element, "longreinf"); d >= 0) {
        if (!ServesLong(s, d)) {
            NoteUnservedLayer(s, element);
            return 1;
        }
        if (IsCollectionFull(s, s.GetLongLayerCount(d), kMostDocumentLayers))
            return 1;
        LongLayerRec layer;
        InitLongLayerRec(layer);
        s.AddLongLayer(layer, d);
        ForgetGivenBarSize(s);
        return 1;
    }
    if (const int d = LayerDirection(element, "transreinf"); d >= 0) {
        if (!ServesTrans(s, d)) {
            NoteUnservedLayer(s, element);
            return 1;
        }
        if (IsCollectionFull(s, s.GetTransLayerCount(d), kMostDocumentLayers))
            return 1;
        TransLayerRec layer;
        InitTransLayerRec(layer);
        s.AddTransLayer(layer, d);
        ForgetGivenBarSize(s);
        return 1;
    }
    return std::nullopt;
}

std::optional<int> SetLayerAttribute(TStructure& s,
                                     const std::string& element,
                                     const std::string& attribute,
                                     const std::string& value,
                                     const int* unit)
{
    int result = 0;
    if (const int d = LayerDirection(element, "longreinf"); d >= 0) {
        if (!ServesLong(s, d))
            return 1;
        if (s.ReadState().collectionFull)
            return 0;
        const int n = s.GetLongLayerCount(d);
        // A count of bars past the pages' limit, which no section holds (the pictures, the bar
        // positions and the fire analysis go bar by bar), refuses the document.
        if (attribute == "num" && ReadDocumentInteger(value) > kMaxBarsPerPattern) {
            const std::string rest = StrPrintf(" has num=\"%s\": a layer holds at most %d bars. The file "
                                               "cannot be read.",
                                               QuoteForMessage(value).c_str(),
                                               kMaxBarsPerPattern);
            NoteLayerRefusal(s, [n, rest](const std::string& name) {
                return StrPrintf("Longitudinal layer %d (\"%s\")", n, name.c_str()) + rest;
            });
            return 1;
        }
        LongLayerRec scratch;
        LongLayerRec& layer = n > 0 ? *s.GetLongLayer(n - 1, d) : scratch;
        if (NoteLayerRefusal(s, UnheldBarRefusal("Longitudinal", n, attribute, value, unit, std::max(layer.num, 1))))
            return 1;
        NoteGivenBarSize(s, attribute);
        result = SetLongAttribute(s, layer, element, attribute, value, unit);
    } else if (const int t = LayerDirection(element, "transreinf"); t >= 0) {
        if (!ServesTrans(s, t))
            return 1;
        if (s.ReadState().collectionFull)
            return 0;
        const int n = s.GetTransLayerCount(t);
        if (NoteLayerRefusal(s, UnheldBarRefusal("Transverse", n, attribute, value, unit, 0)))
            return 1;
        TransLayerRec scratch;
        TransLayerRec& layer = n > 0 ? *s.GetTransLayer(n - 1, t) : scratch;
        NoteGivenBarSize(s, attribute);
        result = SetTransAttribute(s, layer, element, attribute, value, unit);
    } else if (StrainRowsOf(s, element)) {
        return 0;
    } else {
        return std::nullopt;
    }
    if (result < 0) {
        ReportUnknownAttribute(element, attribute);
        return 0;
    }
    return result;
}

std::optional<int> EndLayer(TStructure& s, const std::string& element)
{
    const int d = LayerDirection(element, "longreinf");
    const int t = LayerDirection(element, "transreinf");
    if (d < 0 && t < 0)
        return std::nullopt;
    if (!s.ReadState().layerRefusal)
        return 1;
    // The layer's own name, as its element gave it (the definition's default when it gave none).
    std::string name;
    if (d >= 0 && ServesLong(s, d) && s.GetLongLayerCount(d) > 0)
        name = s.GetLongLayer(s.GetLongLayerCount(d) - 1, d)->name;
    else if (t >= 0 && ServesTrans(s, t) && s.GetTransLayerCount(t) > 0)
        name = s.GetTransLayer(s.GetTransLayerCount(t) - 1, t)->name;
    const std::string message = s.ReadState().layerRefusal(name);
    s.ReadState().layerRefusal = nullptr;
    ShowMessage(message, "Load Error");
    return 0;
}

std::optional<int>
SetLayerBody(TStructure& s, const std::string& element, TTextBuffer& text, const int* unit)
{
    const auto rows = StrainRowsOf(s, element);
    if (!rows)
        return std::nullopt;
    if (!rows->served)
        return 1;
    std::map<std::string, std::vector<int>> layersByName;
    for (int i = 0; i < RowLayerCount(s, *rows); ++i)
        layersByName[RowLayerName(s, *rows, i)].push_back(i);
    std::map<std::string, std::vector<double>> strainsByName;
    text.Rewind();
    std::string name;
    std::string strain;
    while (ReadBodyQuoted(text, name)) {
        ReadBodyWord(text, strain);
        if (layersByName.contains(name))
            strainsByName[name].push_back(FromDocument(strain, ukStrain, unit));
    }
    // The rows are written a row per layer in layer order, so layers that share a name take
    // the rows of that name in order. Rows of a name that are not one per layer each give every
    // layer of the name their strain (the last row stands).
    for (const auto& [rowName, strains] : strainsByName) {
        const std::vector<int>& layers = layersByName.at(rowName);
        if (strains.size() == layers.size()) {
            for (std::size_t k = 0; k < layers.size(); ++k)
                SetRowLayerStrain(s, *rows, layers[k], strains[k]);
            continue;
        }
        for (const double value : strains)
            for (const int i : layers)
                SetRowLayerStrain(s, *rows, i, value);
    }
    return 1;
}

} // namespace structure_elements
