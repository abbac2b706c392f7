#pragma once
// The element families behind TStructure's document callbacks. Each function answers
// std::nullopt when the element is not one of its family, else the callback's result.

#include <optional>
#include <string>

class TStructure;
class TTextBuffer;

namespace structure_elements {

// Most layers of one direction, and most material types of one kind, that a document may
// hold. Sections hold a handful of materials and some dozens of layers; the bound keeps the
// validation of a hostile file's tens of thousands of records (quadratic in their number)
// from taking minutes.
inline constexpr int kMostDocumentLayers = 1000;
inline constexpr int kMostDocumentMaterials = 1000;
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

} // namespace structure_elements
