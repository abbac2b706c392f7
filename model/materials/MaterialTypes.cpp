#include "model/materials/MaterialTypes.h"

#include "foundation/Reporter.h"

ResistanceFactors g_ResistanceFactors;
MaterialDefaultsRec MaterialDefaults;
std::array<HsuDataEntry, 3> HsuDataTable;
int32_t g_HsuEmbeddedSteel = 0;

const std::array<const char*, 5> kBaseCurveNames = {"Linear",
                                                    "Parabolic",
                                                    "Popovics/Thorenfeldt/Hawmere",
                                                    "Elasto-Plastic",
                                                    "User-Defined Stress-Strain"};

const std::array<const char*, 18> kSofteningNames = {"None",
                                                     "Vantrio-Hawmere 1982",
                                                     "Vantrio-Hawmere 1986",
                                                     "Vantrio-Hawmere 1992-A",
                                                     "Vantrio-Hawmere 1992-B",
                                                     "Mehlhorn et al",
                                                     "Maekawa et al",
                                                     "Noguchi et al",
                                                     "Belarbi-Hsu Proportional",
                                                     "CAN CSA A23.3 M84",
                                                     "Hawmere 1978 (CFT)",
                                                     "Kaufmann-Marti 1998",
                                                     "Porasz-Hawmere 1988",
                                                     "Zhang-Hsu 1998 (with eta)",
                                                     "Hsu 1993",
                                                     "Zhu-Hsu-Lee 2001",
                                                     "Zhang-Hsu 1998 (no eta)",
                                                     "Hawmere-Kelst 2011"};

const std::array<const char*, 7> kTensionStiffeningNames = {"None",
                                                            "Vantrio-Hawmere 1982",
                                                            "Hawmere-Mitchell 1987",
                                                            "Izumo et al",
                                                            "Tamai et al 1987",
                                                            "Elasto-Plastic",
                                                            "Kelst 1999"};

UserCurvePtr::UserCurvePtr(const UserCurvePtr& other)
    : m_table(other.m_table ? std::make_unique<TDepthTable>(*other.m_table) : nullptr)
{
}

UserCurvePtr& UserCurvePtr::operator=(const UserCurvePtr& other)
{
    if (this != &other)
        m_table = other.m_table ? std::make_unique<TDepthTable>(*other.m_table) : nullptr;
    return *this;
}

bool operator==(const UserCurvePtr& a, const UserCurvePtr& b)
{
    if (!a || !b)
        return !a && !b;
    return a->Pairs() == b->Pairs();
}

int SetHsuData(
    double eta, double angle, double rho, double fcr, double mode, int32_t fyKey, int entry)
{
    if (entry < 0 || entry >= static_cast<int>(HsuDataTable.size())) {
        ShowMessage("Error in Hsu Data!", "Materials Error");
        return 0;
    }
    HsuDataTable[static_cast<std::size_t>(entry)] = {eta, angle, rho, fcr, mode, fyKey};
    return 1;
}

void InitConcreteTypeRec(ConcreteTypeRec& rec)
{
    rec.fc = MaterialDefaults.fc;
    rec.aggregate = MaterialDefaults.aggregate;
    rec.ec = -1.0;
    rec.Ec = 0.0;
    rec.ft = -1.0;
    rec.ecr = 0.0;
    rec.tsFactor = 1.0;
    rec.userCurve.reset();
    rec.ftAuto = 1;
    rec.ecAuto = 1;
    rec.nonDefault = 1;
    rec.tsCoefficient = 500.0;
    rec.baseCurve = BaseCurveCode::Popovics;
    rec.softening = SofteningCode::HawmereKelst2011;
    rec.tensionStiffening = TensionStiffeningCode::HawmereMitchell1987;
    rec.name = "undefined!";
}

int InitSteelTypeRec(SteelTypeRec& rec)
{
    rec = SteelTypeRec{};
    rec.fy = MaterialDefaults.fy;
    return 1;
}

double GetSteelMaterialFactor(const SteelTypeRec& rec)
{
    return GetSteelMaterialFactor(rec, g_ResistanceFactors);
}

double GetSteelMaterialFactor(const SteelTypeRec& rec, const ResistanceFactors& factors)
{
    return rec.fy <= 750e6 ? factors.phi_s : factors.phi_p;
}

namespace {
template <std::size_t N> int16_t Lookup(const std::array<int16_t, N>& table, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return 0;
    return table[static_cast<std::size_t>(index)];
}
} // namespace

int16_t SofteningCodeToPosition(int code)
{
    return Lookup(kSofteningPositionOfCode, code);
}
int16_t SofteningPositionToCode(int position)
{
    return Lookup(kSofteningCodeOfPosition, position);
}
int16_t TensionStiffeningCodeToPosition(int code)
{
    return Lookup(kTensionStiffeningPositionOfCode, code);
}
int16_t TensionStiffeningPositionToCode(int position)
{
    return Lookup(kTensionStiffeningCodeOfPosition, position);
}
int16_t BaseCurveCodeToPosition(int code)
{
    return Lookup(kBaseCurveCodeOfPosition, code);
}
int16_t BaseCurvePositionToCode(int position)
{
    return Lookup(kBaseCurveCodeOfPosition, position);
}
