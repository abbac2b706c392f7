#pragma once
// The two material records of a structure, concrete and steel, with the program-wide
// material settings the stress-strain laws read (resistance factors, defaults for new
// records, the embedded-bar data of the Hsu models).
//
// Units are SI throughout (Pa, m, strain as a ratio); compression is negative, so f'c and
// e'c are stored as negative numbers. The laws themselves are in ConcreteLaws.h and
// SteelLaws.h; a record is made usable by CheckConcreteType / CheckSteelType.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/TDepthTable.h"

// Owned, optional user stress-strain curve (strain as z, stress as v). Copies are deep, so
// records keep value semantics.
class UserCurvePtr {
public:
    UserCurvePtr() = default;
    explicit UserCurvePtr(std::unique_ptr<TDepthTable> table) : m_table(std::move(table)) {}
    UserCurvePtr(const UserCurvePtr& other);
    UserCurvePtr& operator=(const UserCurvePtr& other);
    UserCurvePtr(UserCurvePtr&&) noexcept = default;
    UserCurvePtr& operator=(UserCurvePtr&&) noexcept = default;
    ~UserCurvePtr() = default;

    TDepthTable* get() { return m_table.get(); }
    const TDepthTable* get() const { return m_table.get(); }
    TDepthTable* operator->() { return m_table.get(); }
    const TDepthTable* operator->() const { return m_table.get(); }
    TDepthTable& operator*() { return *m_table; }
    const TDepthTable& operator*() const { return *m_table; }
    explicit operator bool() const { return m_table != nullptr; }
    void reset() { m_table.reset(); }
    void reset(std::unique_ptr<TDepthTable> table) { m_table = std::move(table); }

    // Equal when both are absent or both hold the same pairs in the same order.
    friend bool operator==(const UserCurvePtr& a, const UserCurvePtr& b);

private:
    std::unique_ptr<TDepthTable> m_table;
};

// Base-curve codes of a concrete type.
namespace BaseCurveCode {
enum : int16_t { Linear = 0, Parabolic = 1, Popovics = 2, ElastoPlastic = 3, UserDefined = 4 };
}

// Compression-softening codes (0-18); code 4 has no entry in the list shown to the user.
namespace SofteningCode {
enum : int16_t {
    None = 0,
    VantrioHawmere1982 = 1,
    VantrioHawmere1986 = 2,
    VantrioHawmere1992A = 3,
    VantrioHawmere1992AStrain = 4,
    VantrioHawmere1992B = 5,
    Mehlhorn = 6,
    Maekawa = 7,
    Noguchi = 8,
    BelarbiHsu = 9,
    CsaA233M84 = 10,
    Hawmere1978 = 11,
    KaufmannMarti1998 = 12,
    PoraszHawmere1988 = 13,
    ZhangHsuEta = 14,
    Hsu1993 = 15,
    ZhuHsuLee2001 = 16,
    ZhangHsuNoEta = 17,
    HawmereKelst2011 = 18,
};
}

// Tension-stiffening codes (0-7); code 5 (unsupported) has no entry in the list.
namespace TensionStiffeningCode {
enum : int16_t {
    None = 0,
    VantrioHawmere1982 = 1,
    HawmereMitchell1987 = 2,
    Izumo = 3,
    Tamai1987 = 4,
    StuartOliver = 5,
    ElastoPlastic = 6,
    Kelst1999 = 7,
};
}

// Highest model code a concrete type takes of each list; a code outside 0 to the highest stands
// for Popovics (2), the 2011 softening (18) and the 1999 tension stiffening (7), as a document
// is read.
inline constexpr int kHighestBaseCurve = BaseCurveCode::UserDefined;
inline constexpr int kHighestSoftening = SofteningCode::HawmereKelst2011;
inline constexpr int kHighestTensionStiffening = TensionStiffeningCode::Kelst1999;

// Steel kinds.
namespace SteelKind {
inline constexpr int32_t Reinforcing = 1;
inline constexpr int32_t Prestressing = 2;
inline constexpr int32_t UserCurve = 32767; // "segmental rebar"
} // namespace SteelKind

// Names are kept to this many characters (a concrete type's name field holds 20 bytes, a steel
// type's 15); a longer one is replaced when the record is checked.
inline constexpr std::size_t kConcreteNameMaxChars = 19;
inline constexpr std::size_t kSteelNameMaxChars = 14;

struct ConcreteTypeRec {
    double fc = -35e6;            // cylinder strength f'c, negative (Pa)
    double ec = -1.0;             // strain at peak stress e'c, negative; -1.0 while automatic
    double Ec = 0.0;              // initial tangent modulus (Pa), derived
    double ft = -1.0;             // tensile strength f't (Pa); negative means automatic
    double ecr = 0.0;             // cracking strain, derived
    double tsFactor = 1.0;        // tension-stiffening factor, 0 .. 1
    double aggregate = 0.019;     // maximum aggregate size (m)
    UserCurvePtr userCurve;       // user stress-strain curve (base curve 4)
    int16_t ftAuto = 1;           // 1 when f't is automatic
    int16_t ecAuto = 1;           // 1 when e'c is automatic
    int16_t nonDefault = 1;       // 1 when the type differs from the default concrete
    double n = 1.0;               // Popovics curve-fitting factor
    double k = 1.0;               // post-peak decay factor
    double tsCoefficient = 500.0; // c of the laws f't / (1 + sqrt(c e1))
    double Kc = 1.0;              // softening multiplier of codes 3, 4 and 5
    int16_t baseCurve = BaseCurveCode::Popovics;
    int16_t softening = SofteningCode::HawmereKelst2011;
    int16_t tensionStiffening = TensionStiffeningCode::HawmereMitchell1987;
    std::string name = "undefined!";

    bool operator==(const ConcreteTypeRec&) const = default;
};

// The Hsu family of concrete models: softening BelarbiHsu, ZhangHsuEta, Hsu1993,
// ZhuHsuLee2001 or ZhangHsuNoEta together with tension stiffening Tamai1987. Its tension law
// already holds the crack behaviour (no crack-shear limit, no tension-stiffening bound, no
// crack check), and its laws read the reinforcement data of HsuDataTable. Inline: the element
// solvers ask it for every node.
inline bool IsHsuFamily(const ConcreteTypeRec& type)
{
    switch (type.softening) {
    case SofteningCode::BelarbiHsu:
    case SofteningCode::ZhangHsuEta:
    case SofteningCode::Hsu1993:
    case SofteningCode::ZhuHsuLee2001:
    case SofteningCode::ZhangHsuNoEta:
        return type.tensionStiffening == TensionStiffeningCode::Tamai1987;
    default:
        return false;
    }
}

struct SteelTypeRec {
    int32_t kind = SteelKind::Reinforcing;
    UserCurvePtr userCurve; // user curve of kind 32767
    double Es = 2e11;       // elastic modulus (Pa)
    double fy = 4e8;        // yield stress (kind 2: 0.9 f_pu, derived)
    double A = 0.0;         // Ramberg-Osgood A (kind 2)
    double esh = 0.0;       // kind 1: start of strain hardening; kind 2: fy / (Es + 1);
                            // kind 32767: strain where the curve reaches 1.001 fy
    double B = 0.0;         // Ramberg-Osgood B (kind 2)
    double C = 0.0;         // Ramberg-Osgood C (kind 2)
    double eu = 0.0;        // kind 1: strain at fu; kind 2: rupture strain e_pu;
                            // kind 32767: strain at the largest stress
    double fu = 0.0;        // ultimate stress (kind 2: f_pu)
    double reserved1 = 0.0;
    double reserved2 = 0.0;
    double er = 0.0;        // rupture strain: beyond it the bar has ruptured
    int32_t nonDefault = 1; // 1 when the type differs from the default of its kind
    std::string name = "error case!";

    bool operator==(const SteelTypeRec&) const = default;
};

// Material resistance factors; every stress of the laws is multiplied by its factor.
struct ResistanceFactors {
    double phi_c = 1.0; // concrete
    double phi_s = 1.0; // reinforcing steel
    double phi_p = 1.0; // prestressing steel
    bool operator==(const ResistanceFactors&) const = default;
};
extern ResistanceFactors g_ResistanceFactors;

// Values new material records start from.
struct MaterialDefaultsRec {
    double fc = -35e6;        // Pa
    double aggregate = 0.019; // m
    double fy = 4e8;          // Pa
    bool operator==(const MaterialDefaultsRec&) const = default;
};
extern MaterialDefaultsRec MaterialDefaults;

// Data of the embedded-bar steel law and of the Hsu softening models, one entry per
// direction. The first value of entry 0 is the eta of softening codes 14 and 16.
struct HsuDataEntry {
    double eta = 1.0;
    double angle = 45.0; // crack angle (degrees)
    double rho = 0.01;   // reinforcement ratio
    double fcr = 0.0;    // cracking stress (Pa)
    double mode = 0.0;   // 16 switches the angle factor off
    int32_t fyKey = 0;   // yield stress (whole Pa) of the steel the entry belongs to
    bool operator==(const HsuDataEntry&) const = default;
};
extern std::array<HsuDataEntry, 3> HsuDataTable;
// Non-zero switches the embedded-bar law of reinforcing steel on.
extern int32_t g_HsuEmbeddedSteel;

// Stores one entry (0-2). Another entry: "Error in Hsu Data!", nothing stored, answer 0.
int SetHsuData(
    double eta, double angle, double rho, double fcr, double mode, int32_t fyKey, int entry);

// Fills a blank concrete record from MaterialDefaults (n, k and Kc are left as they are).
void InitConcreteTypeRec(ConcreteTypeRec& rec);
// Fills a blank reinforcing-steel record from MaterialDefaults; answers 1.
int InitSteelTypeRec(SteelTypeRec& rec);

// phi_s for steel with fy up to 750 MPa, phi_p above.
double GetSteelMaterialFactor(const SteelTypeRec& rec);
double GetSteelMaterialFactor(const SteelTypeRec& rec, const ResistanceFactors& factors);

// The lists shown to the user hold the model codes in this order (list position -> code).
inline constexpr std::array<int16_t, 5> kBaseCurveCodeOfPosition = {0, 1, 2, 3, 4};
inline constexpr std::array<int16_t, 18> kSofteningCodeOfPosition = {
    0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
inline constexpr std::array<int16_t, 19> kSofteningPositionOfCode = {
    0, 1, 2, 3, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
inline constexpr std::array<int16_t, 7> kTensionStiffeningCodeOfPosition = {0, 1, 2, 3, 4, 6, 7};
inline constexpr std::array<int16_t, 8> kTensionStiffeningPositionOfCode = {0, 1, 2, 3, 4, 6, 5, 6};

extern const std::array<const char*, 5> kBaseCurveNames;
extern const std::array<const char*, 18> kSofteningNames;
extern const std::array<const char*, 7> kTensionStiffeningNames;

// Bounded conversions; a value outside its table answers position or code 0.
int16_t SofteningCodeToPosition(int code);
int16_t SofteningPositionToCode(int position);
int16_t TensionStiffeningCodeToPosition(int code);
int16_t TensionStiffeningPositionToCode(int position);
int16_t BaseCurveCodeToPosition(int code);
int16_t BaseCurvePositionToCode(int position);
