#pragma once
// The materials sheet's working copies: the concrete, reinforcing-steel and prestressing-steel
// lists filled from a structure, and their write-back; and TMaterials, the model of the
// sheet's "Basic Properties" page (one strength per material).
//
// Write-back keeps every region on its own concrete type and every layer and pattern on its
// own steel type, through the source index each entry carries (code 3): the concrete types
// are stored in list order, the reinforcing types before the prestressing types. A region
// whose type was removed takes type 0; where more than one type remains the user is told. A
// layer whose steel type was removed takes the first type of its kind.

#include <array>
#include <functional>
#include <string>

#include "foundation/TypedNumber.h"
#include "model/catalogues/TTypeList.h"

class TStructure;
struct ConcreteTypeRec;
struct SteelTypeRec;

// Materials of the sheet, in the order of its detail pages.
enum MaterialKind { kConcreteMaterial = 0, kRebarMaterial = 1, kPrestressingMaterial = 2 };

struct TMaterialLists {
    TMaterialLists();
    TTypeList concrete;
    TTypeList rebar;         // reinforcing bars, then user-curve steel (code 0 = 1)
    TTypeList prestressing;
    // A list is detailed when the structure holds more than one type of its material, or
    // one type that differs from the default.
    std::array<bool, 3> detailed{};

    TTypeList& Of(int material) {
        return material == kConcreteMaterial ? concrete : (material == kRebarMaterial ? rebar : prestressing);
    }
};

// Entries of the lists and the types they stand for. An entry of a type that has no user
// curve gets the default one ("Segmental Concrete", "Segmental Reinforcement").
void AddConcreteEntry(TTypeList& list, const ConcreteTypeRec& type, int source);
void AddSteelEntry(TTypeList& list, const SteelTypeRec& type, int source);
// The type an entry describes, starting from base (the source type, or a default one).
ConcreteTypeRec ConcreteFromEntry(const TTypeList& list, int i, const ConcreteTypeRec& base);
SteelTypeRec SteelFromEntry(const TTypeList& list, int i, const SteelTypeRec& base, int kind);

void FillMaterialLists(const TStructure& s, TMaterialLists& lists);
// Replaces the structure's material types by the lists. 0 when the structure is frozen.
int WriteBackMaterials(TStructure& s, TMaterialLists& lists);

// The "Basic Properties" page.
class TMaterials {
public:
    static constexpr int kFieldIds[3] = {104, 105, 322};
    // The fields' labels, which their refusals name too.
    static constexpr const char* kFieldNames[3] = {"Concrete Cylinder Strength", "Reinforcement Yield Strength",
                                                   "Prestressed Reinforcement Strength"};

    TMaterials(TMaterialLists& lists, int focusMaterial);

    // Set-up and every activation: the three fields.
    void ShowValues();
    // Field of a material edited (text in fields[material]); only once ready.
    void FieldEdited(int material);
    // The focus field when the page is shown (-1: none); the request is cleared.
    int TakeFocusRequest();
    // The first field whose text is no strength (not "Detailed", no number, or one past
    // 10 000 MPa): it changed nothing, and the page is not left with it.
    TypedRefusal CheckFields() const;
    // Leaving the page.
    void Leave();

    std::array<std::string, 3> fields;
    bool ready = false;
    bool modified = false;
    std::function<void()> markStructuresChanged;

private:
    TMaterialLists& m_lists;
    int m_focus;
};
