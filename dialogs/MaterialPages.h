#pragma once
// The material detail pages: concrete types (TGen_Conc), reinforcing steel types (TGen_Steel)
// and prestressing steel types (TGen_PSteel), each a list editor over one working list of
// the materials sheet.
//
// Concrete entries hold |f'c|, f't, |e'c|, the aggregate size and the tension-stiffening
// factor (values 0-4, SI) and the list positions of the base-curve, softening and
// tension-stiffening models (codes 0-2); code 3 is the type's index in the section (-1 for a
// new type). Reinforcing entries hold Es, fy, e_sh, e_u, f_u; code 0 is the curve type (1 a
// user curve), code 1 the predefined grade. Prestressing entries hold the Ramberg-Osgood A,
// B, C, Ep, f_pu and e_pu; code 1 the predefined strand. Steel entries keep their index
// among the section's steel types in code 3.

#include <array>

#include "dialogs/ListEditor.h"

class TStructure;

class TGen_Conc : public TGen_Base {
public:
    TGen_Conc(TStructure& structure, TTypeList& list, int pageMode, int initialSelection);

protected:
    void Configure() override;
    bool IsDeletable() override;
    int ValidateEntry() override;
    void UpdateAutoFields() override;
    void ComputeAutoValue(int field) override;

private:
    TStructure& m_structure;
    TTypeList& m_workList;
};

// Grades of reinforcing bar (Es, fy, e_sh, e_u, f_u) and of strand (A, B, C, Ep, f_pu, e_pu),
// SI; the drop-down shows them after "Custom type".
extern const std::array<std::array<double, 5>, 8> kRebarGrades;
extern const std::array<const char*, 8> kRebarGradeNames;
extern const std::array<std::array<double, 6>, 2> kStrandTypes;

// Base of the two steel pages: a type in use by the section may not be deleted, and the two
// lists share the section's steel type slots (other: the other page's list). The page stores
// no type that a section does not hold, counting what checking the type derives from the
// typed values (its yield strain from fy / Es), so that a document keeps every type it stores;
// kind is the SteelKind of the page's types (a rebar entry by its own curve excepted).
class TSteelPage : public TGen_Base {
public:
    TSteelPage(TStructure& structure, TTypeList& list, TTypeList& other, int kind, int pageMode,
               int initialSelection);

protected:
    bool IsDeletable() override;
    void UpdateCapacity() override;
    TypedRange FieldRange(int field) const override;
    TypedRefusal CheckEntrySize(const TTypeList::AllValues& values, int replacing) override;

    TStructure& m_structure;
    TTypeList& m_workList;
    TTypeList& m_other;

private:
    bool TypedByCurve() const;
    int ModulusField() const;

    int m_kind;
};

class TGen_Steel : public TSteelPage {
public:
    TGen_Steel(TStructure& structure, TTypeList& list, TTypeList& prestressingList, int pageMode,
               int initialSelection);

protected:
    void Configure() override;
    int ValidateEntry() override;
    int FindPredefinedType() override;
    void PredefinedTypeChosen() override;
};

class TGen_PSteel : public TSteelPage {
public:
    TGen_PSteel(TStructure& structure, TTypeList& list, TTypeList& rebarList, int pageMode, int initialSelection);

protected:
    void Configure() override;
    int FindPredefinedType() override;
    void PredefinedTypeChosen() override;
};
