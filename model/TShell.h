#pragma once
// TShell: a membrane (shell) element, the kind 0 of TStructure. A reinforced concrete panel
// of thickness t under in-plane stresses, analysed through the sectional machinery with
//  - one concrete type and one region spanning the thickness, widths 1.0 (all section
//    quantities are per unit length of the panel);
//  - longitudinal reinforcement in x (direction 0) and y (direction 1), each layer a set of
//    bars of area A at spacing s, so that its reinforcement ratio is A / (t s);
//  - transverse reinforcement through the thickness (z, direction 2);
//  - a crack spacing per direction, negative meaning automatic.
//
// After validation the mid-plane lies at z = 0: the region runs from -t/2 to +t/2 and every
// layer depth is measured from the mid-plane.
//
// Loads are the eight values Nxx, Nyy, Nxy, Mxx, Myy, Mxy, Vx, Vy, in both the
// increment and the constant vector.
//
// Units: SI (m, m^2, Pa).

#include <array>
#include <string>

#include "model/TStructure.h"

class TBeam;
class TShell;

// Version code of the membrane file formats that a new element carries.
inline constexpr int kShellFileVersion = 31159;
// Default thickness of a new element (m).
inline constexpr double kDefaultShellThickness = 0.07;

// Readers installed by the data-file subsystem. Without them TShell::Load answers 0 and an
// example element stays the default element.
//
// Reader of the old membrane files: fills the element and returns 1, or 0 when the file could
// not be read.
using ShellFileReader = int (*)(TShell& shell, const std::string& fileName, int elementIndex);
// Filler of the built-in example panels 1, 2 and 3: fills a freshly defaulted element.
using ShellExampleReader = int (*)(TShell& shell, int example);
// Install a reader (null removes it); each returns the one it replaced.
ShellFileReader SetShellFileReader(ShellFileReader reader);
ShellExampleReader SetShellExampleReader(ShellExampleReader reader);

class TShell : public TStructure {
public:
    // A new default element; example 1, 2 or 3 is then filled from the built-in examples,
    // any other number leaves the default element.
    explicit TShell(int example = 0);
    // An element read from an old membrane file (element index 1); success is 1 when it
    // was read. On failure the element stays empty (not defaulted).
    TShell(const std::string& fileName, int& success);
    // A deep copy (materials with their curves, layers, patterns, loads, crack spacings,
    // experimental data), validated unless the source is frozen.
    TShell(const TShell& other);
    // The slice of a beam section at height z (beam coordinates): an element of thickness
    // b = the beam's width at z, made of the concrete found at z, whose y reinforcement is
    // the legs of the stirrups crossing z. The institution text is "Automatically
    // Generated". z is held within the beam's extent.
    TShell(const TBeam& beam, double z);
    TShell& operator=(const TShell&) = delete;
    ~TShell() override;

    // ---- Overrides of the structure's virtual operations ----------------------------------

    int Load(const std::string& fileName, int elementIndex) override;
    // "p3g_shell".
    int GetRootElementName(std::string& name) const override;
    // Document callbacks of the element's own elements (p3g_shell, sectloading_shell,
    // analysisoptions, shrinktherm, the end of sectionSOLID); every other element goes to
    // the structure's.
    int GetAttributeText(const std::string& element,
                         const std::string& attribute,
                         int instance,
                         std::string& text,
                         int* unitSystem) override;
    int GetElementText(const std::string& element,
                       int instance,
                       TTextBuffer& text,
                       int* unitSystem) override;
    int GetElementCount(const std::string& element) override;
    int BeginElement(const std::string& element) override;
    int SetAttribute(const std::string& element,
                     const std::string& attribute,
                     const std::string& value,
                     int* unitSystem) override;
    int SetElementText(const std::string& element, TTextBuffer& text, int* unitSystem) override;
    int EndElement(const std::string& element) override;
    int NewDefault() override;
    std::unique_ptr<TStructure> Clone() const override;
    // Repairs layer spacings, validates the structure, resolves the automatic crack
    // spacings, sets the layer ratios and tension-stiffening profiles, gives a load-free
    // element a unit shear increment and checks the Hsu concrete data. Guarded; 1.
    int Validate() override;
    // Guarded; Houston model sets (3 to 14) are replaced by 15 after a message. Returns 1.
    int SetConcreteModelSet(int code) override;
    int InitEmpty() override;
    int StampDate() override;
    std::string GetName() const override { return m_own.name; }
    std::string GetDate() const override { return m_own.date; }
    std::string GetUniversity() const override { return m_own.university; }
    std::string GetDoneBy() const override { return m_own.doneBy; }
    // Title setters: guarded; keep at most 99 characters (the date 10) and rebuild the
    // title line; 1 and modified when the text changed, else 0.
    int SetName(const std::string& text) override;
    int SetUniversity(const std::string& text) override;
    int SetDoneBy(const std::string& text) override;
    int SetDate(const std::string& text) override;
    // Guarded. Direction 0 x, 1 y, any other z. Values in (0, 0.0001) become 0.0001, values
    // above 5000 become 5000, negative values (automatic) are kept and set the direction's
    // automatic flag. 1 and modified when the value moved by more than 0.0001, else 0.
    int SetCrackSpacing(double value, int direction) override;
    // Directions 0 to 2; the undefined marker (0 for the flag) otherwise.
    double GetCrackSpacing(int direction) const override;
    int IsCrackSpacingAuto(int direction) const override;
    int SetCrackSpacingAuto(int flag, int direction) override;
    double GetHeight() const override { return m_own.thickness; }
    double GetBottom() const override { return -m_own.thickness / 2.0; }
    double GetTop() const override { return m_own.thickness / 2.0; }
    // Widths per unit length of the panel.
    double GetWidthAtSide(double depth, int side) const override;
    double GetWidthAt(double depth) const override;
    int GetMaxConcreteTypes() const override { return 1; }
    int GetMaxRegions() const override { return 1; }
    // Thickness = top - bottom of the single region (kept when there is none).
    int UpdateExtents() override;
    // Moves the region, the layers and the shrinkage/thermal profile so that the mid-plane
    // lies at z = 0.
    int ShiftToDatum() override;
    int GetPatternCapacityFor(int x) const override;
    int GetPatternCapacity() const override { return 10; }
    int GetPatternDirectionCount() const override { return 2; }
    int GetLongDirectionCount() const override { return 2; }

    // ---- Membrane operations ---------------------------------------------------------------

    // For direction 0 (x) or 1 (y): the sum of the layers' ratios and of ratio x fy of their
    // steel (fu when useUltimate is set). Other directions leave both 0. Returns 1.
    int GetSteelTotals(double& sumRatio,
                       double& sumRatioStrength,
                       int useUltimate,
                       int direction) const;
    // Each x and y layer's ratio = A / (t s); 0 when s or t is not positive. Returns 1.
    int SetLayerRatios();
    // Hands the Hsu concrete data of direction d (0 x, 1 y, 2 z) to the material laws.
    int CheckHsuConcrete(int direction);

    int GetFileVersionCode() const { return m_own.fileVersionCode; }
    void SetFileVersionCode(int code) { m_own.fileVersionCode = code; }

private:
    // The element's own block, cleared by InitEmpty and NewDefault and copied whole.
    struct OwnBlock {
        std::string university;
        std::string name;
        std::string doneBy;
        std::string date;
        double thickness = 0.0;
        std::array<double, 3> crackSpacing{};
        std::array<int, 3> crackSpacingAuto{};
        int fileVersionCode = 0;
    };

    void CutFromBeam(const TBeam& beam, double z);
    void RepairLayerSpacings();
    void ResolveAutoCrackSpacings();
    void EnsureUnitShearIncrement();

    int SetRootAttribute(const std::string& attribute, const std::string& value, int* unit);
    void ApplyRootSpacing(int d, const int* unit);

    OwnBlock m_own;
    // Crack spacings (smx, smy, smz) as last read, converted again when the root's units
    // attribute follows them.
    std::array<std::string, 3> m_rootSpacingTexts;
    std::array<bool, 3> m_rootSpacingRead{};
    // The increment loads came from a document's loading element, as the user gave them: an
    // element read with none keeps none through validation instead of being given one unit of
    // shear flow to increase. Not copied: a copy made for another run is given that unit.
    bool m_incrementsRead = false;
};
