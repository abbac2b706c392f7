#pragma once
// The element families behind TStructure's document callbacks. Each function answers
// std::nullopt when the element is not one of its family, else the callback's result.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "model/LayerLimits.h"
#include "model/StructureRecords.h"
#include "model/ValueLimits.h"

class TStructure;
class TTextBuffer;

namespace structure_elements {

// Most layers of one direction, and most material types of one kind, that a document may
// hold. Sections hold a handful of materials and some dozens of layers; the bound keeps the
// validation of a hostile file's tens of thousands of records (quadratic in their number)
// from taking minutes.
inline constexpr int kMostDocumentLayers = kMaxLayersOfDirection;
inline constexpr int kMostDocumentMaterials = kMaxMaterialTypes;
// True (and, the first time in a read, reported) when a collection of count records can take
// no more than most: the element's attributes then stop the read.
bool IsCollectionFull(TStructure& s, int count, int most);

// Direction of a layer element from its last letter (x 0, y 1, z 2), -1 for another name.
int LayerDirection(const std::string& element, const char* stem);

// concrete, rebar, prestress
std::optional<int> MaterialCount(const TStructure& s, const std::string& element);
std::optional<int> MaterialAttributeText(TStructure& s,
                                         const std::string& element,
                                         const std::string& attribute,
                                         int instance,
                                         std::string& text,
                                         const int* unit);
std::optional<int> MaterialBodyText(TStructure& s,
                                    const std::string& element,
                                    int instance,
                                    TTextBuffer& text,
                                    const int* unit);
std::optional<int> BeginMaterial(TStructure& s, const std::string& element);
std::optional<int> SetMaterialAttribute(TStructure& s,
                                        const std::string& element,
                                        const std::string& attribute,
                                        const std::string& value,
                                        const int* unit);
std::optional<int>
SetMaterialBody(TStructure& s, const std::string& element, TTextBuffer& text, const int* unit);

// longreinf?, transreinf?, rebartherm?
std::optional<int> LayerCount(const TStructure& s, const std::string& element);
std::optional<int> LayerAttributeText(TStructure& s,
                                      const std::string& element,
                                      const std::string& attribute,
                                      int instance,
                                      std::string& text,
                                      const int* unit);
std::optional<int> LayerBodyText(TStructure& s,
                                 const std::string& element,
                                 int instance,
                                 TTextBuffer& text,
                                 const int* unit);
std::optional<int> BeginLayer(TStructure& s, const std::string& element);
std::optional<int> SetLayerAttribute(TStructure& s,
                                     const std::string& element,
                                     const std::string& attribute,
                                     const std::string& value,
                                     const int* unit);
std::optional<int>
SetLayerBody(TStructure& s, const std::string& element, TTextBuffer& text, const int* unit);
// The end of a layer element: a refusal noted while its attributes were read is told now,
// naming the layer by its own name, and stops the read (0).
std::optional<int> EndLayer(TStructure& s, const std::string& element);

// sectionSOLID, firedata, experimentaldata
std::optional<int> OutlineCount(const TStructure& s, const std::string& element);
std::optional<int> OutlineAttributeText(TStructure& s,
                                        const std::string& element,
                                        const std::string& attribute,
                                        int instance,
                                        std::string& text,
                                        const int* unit);
std::optional<int> OutlineBodyText(TStructure& s,
                                   const std::string& element,
                                   int instance,
                                   TTextBuffer& text,
                                   const int* unit);
std::optional<int> SetOutlineAttribute(TStructure& s,
                                       const std::string& element,
                                       const std::string& attribute,
                                       const std::string& value,
                                       const int* unit);
std::optional<int>
SetOutlineBody(TStructure& s, const std::string& element, TTextBuffer& text, const int* unit);

// Pieces of the beam's and the shell's own elements (their roots, analysis options and
// section loading).

// Three lengths of a root element whose values wait for the document's units: their
// attribute names, the texts read and whether each was read.
struct RootLengths {
    const std::array<const char*, 3>& names;
    std::array<std::string, 3>& texts;
    std::array<bool, 3>& read;
};
// An attribute of the root element: a root length keeps its text and is applied by
// applyLength(k) at once and again when units arrive; name, doneby, date (and univ where the
// structure keeps an institution) are set; Version is accepted and left. Another attribute is
// reported as unknown (0).
int SetRootAttribute(TStructure& s,
                     const char* root,
                     const std::string& attribute,
                     const std::string& value,
                     int* unit,
                     const RootLengths& lengths,
                     bool university,
                     const std::function<void(int)>& applyLength);
// The texts of the titles, of Version and of units (which also gives the active unit system
// to unitSystem); std::nullopt for another attribute.
std::optional<std::string>
RootTitleText(const TStructure& s, const std::string& attribute, bool university, int* unitSystem);
// phic, phis, phip of the analysis options.
std::optional<std::string> ResistanceFactorText(const std::string& attribute);
// True when a resistance factor would be written otherwise than its default: the analysis
// options must then be written, or the factor is lost.
bool ResistanceFactorsChanged();
// Sets phic, phis or phip from the value; false for another attribute.
bool SetResistanceFactor(const std::string& attribute, const std::string& value);
// The increment or the constant loads.
LoadVector StoredLoads(const TStructure& s, bool increment);
// Sets load i of the increment or the constant loads.
void SetStoredLoad(TStructure& s, bool increment, int i, double value);
// The end of a GetAttributeText: a value found becomes the text (1); without one the
// attribute is reported as unknown and the text tells the writer to leave it out (0).
int AnswerAttributeText(const std::optional<std::string>& value,
                        const std::string& element,
                        const std::string& attribute,
                        std::string& text);

} // namespace structure_elements
