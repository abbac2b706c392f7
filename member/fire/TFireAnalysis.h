#pragma once
// The fire model: the temperature field of a beam section exposed to a fire on some of its
// faces, as it develops over the exposure time.
//
// TFireAnalysis_Base keeps the fire curve (fire temperature in degrees C against time in s),
// the exposure settings and the clock. TFireAnalysis_2Ds solves two-dimensional transient heat
// conduction on a square finite-difference grid of 101 x 101 points over half the section
// (the section is symmetric about its vertical centre line): row i lies at height i h above
// the bottom, column j at distance j h from the centre line, h = depth / 100. Exposed faces
// are held at the fire temperature; unexposed faces and the centre line are adiabatic
// (mirrored). Each time step is Crank-Nicolson,
//   (1 + 2r) T = P + (r/2)(Sp - 4P) + (r/2) Sc,   r = a(P) dt / h^2,
// with P the field of the last step, Sp and Sc the sums of the four neighbours in P and T and
// a the thermal diffusivity at the point's previous temperature. The implicit equations are
// solved by Gauss-Seidel sweeps over-relaxed by 1.1, swept until the field lies within
// kSweepTolerance of the solution of the step's equations.
//
// Calling order: construct; SetWidthProfile; Start(end time); Step while IsRunning; then
// GetTemperature anywhere; for charts ResetPlotIterator, then GetNextPlotPoint until it
// answers 0. Units: m, s, degrees C.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "foundation/TDepthTable.h"

// Faces exposed to the fire (bit mask).
enum ExposureMask : int {
    kExposeBottom = 1,
    kExposeSides = 2,
    kExposeTop = 4,
};

// Fire curves.
enum FireCurveType : int {
    kISO834Fire = 0,   // T = 20 + 345 log10(8 t + 1), t in minutes
    kNPDFire = 1,      // hydrocarbon fire of the petroleum directorate (table)
    kConstantFire = 2, // the constant temperature
};

// Classes of a grid point.
enum FirePointClass : int {
    kFireInterior = 0,   // solved
    kFireExposed = 1,    // held at the fire temperature
    kFireTopFace = 2,    // unexposed top face: solved, mirrored across the top
    kFireBottomFace = 3, // unexposed bottom face: solved, mirrored across the bottom
    kFireSideFace = 4,   // unexposed side face or a cut row's grid edge: mirrored across the side
    kFireOutside = 5,    // outside the section: held at the fire temperature
    kFireCorner = 6,     // corner whose two faces are unexposed: keeps its value
};

// Thermal diffusivity of concrete (m^2/s) at T degrees C: 9e-7 - 1.2e-9 T below 420, else 4e-7.
double ThermalDiffusivity(double T);

class TFireAnalysis_Base {
public:
    // Time step of the stepping (s) and the longest step; exposures shorter than ten steps
    // take a tenth of the exposure.
    static constexpr double kDefaultTimeStep = 60.0;
    // What GetTemperature answers for a point outside the grid.
    static constexpr double kOutsideGrid = -10000.0;

    TFireAnalysis_Base(double depth, int exposureMask, int curveType, double constantTemperature);
    virtual ~TFireAnalysis_Base() = default;
    TFireAnalysis_Base(const TFireAnalysis_Base&) = delete;
    TFireAnalysis_Base& operator=(const TFireAnalysis_Base&) = delete;

    // Temperature at height y above the section bottom and distance z from the centre line;
    // 0 before Start.
    virtual double GetTemperature(double y, double z) const = 0;
    // Sets up the fire curve and the grid and starts the clock: a negative end time becomes
    // 10 s, then anything below 60 s becomes 60 s; the time step is min(60 s, end / 10).
    virtual int Start(double endTime);
    // Advances one time step (the last one shortened to land on the end time); 1 once the end
    // time has been reached, else 0.
    virtual int Step() = 0;
    // 1 while the clock has not reached the end time.
    virtual int IsRunning() const;
    virtual void InitGrid() = 0;

    // Fills the fire curve "Surface Fire Temperatures" for the curve type: curve 0 sampled
    // every time step from 0 to the end time, the NPD and constant curves from their points
    // (the last at 1,000,000 s), nothing for an unknown type. Sorted by descending time.
    int SetupFireCurve();
    // The fire temperature at time t: curve 0 from its formula, the others interpolated in
    // the fire curve.
    double FireTemperatureAt(double t) const;
    // The largest temperature of the fire curve (for curve 0 the one at the end of the
    // exposure); the charts take their range from it. 20 while the curve is empty.
    double GetMaxFireTemperature() const;
    // The structure-table slot of the post-fire beam a run produced, and the title of the beam
    // it was run for.
    void SetSource(int slot, const std::string& name);
    void GetSource(int& slot, std::string& name) const;

    double GetTimeStep() const { return m_timeStep; }
    double GetCurrentTime() const { return m_time; }
    double GetEndTime() const { return m_endTime; }
    double GetGridSpacing() const { return m_h; }
    double GetDepth() const { return m_depth; }
    int GetExposureMask() const { return m_exposureMask; }
    int GetFireCurveType() const { return m_curveType; }
    int IsStarted() const { return m_started; }
    const TDepthTable& GetFireCurve() const { return m_fireCurve; }

protected:
    double m_timeStep = kDefaultTimeStep;
    double m_time = 0.0;
    double m_h = 0.0;
    double m_endTime = 0.0;
    int m_started = 0;
    TDepthTable m_fireCurve;
    double m_depth = 0.0;
    int m_exposureMask = 0;
    int m_curveType = 0;
    double m_constantTemperature = 0.0;
    std::string m_sourceName;
    int m_sourceSlot = -1;
};

class TFireAnalysis_2Ds final : public TFireAnalysis_Base {
public:
    // Grid points per direction (0..100) and the row length of the stored grids, whose last
    // row and column are spare, held at the starting temperature.
    static constexpr int kGridSize = 101;
    static constexpr int kStride = kGridSize + 1;
    // A step's sweeps stop when no point changes by more than this (degrees C) and the
    // distance to the solution that the rate of convergence gives is no larger ...
    static constexpr double kSweepTolerance = 0.01;
    // ... (the rate taken as at most this) ...
    static constexpr double kMaxContraction = 0.999;
    // ... or after this many sweeps, which the tolerance never needs in practice.
    static constexpr int kMaxSweeps = 20000;
    static constexpr double kOverRelaxation = 1.1;
    // Points per column of the plot iterator (every second grid point) and its end.
    static constexpr int kPlotPointsPerColumn = 51;
    static constexpr int kPlotPoints = kPlotPointsPerColumn * kPlotPointsPerColumn;
    // Value of an outside point in the plot iterator.
    static constexpr double kPlotOutside = -3.14e-31;

    TFireAnalysis_2Ds(double depth, int exposureMask, int curveType, double constantTemperature);

    double GetTemperature(double y, double z) const override;
    int Step() override;
    void InitGrid() override;

    // Edge column E[i] of the side face in row i (half-width in grid intervals) and B[i] 1
    // when the row ends within the grid, 0 when it is wider and cut at column 100 (an
    // adiabatic edge). Edges are kept within 0..100. Rows default to E = 50, B = 1.
    void SetWidthProfile(std::span<const int, kGridSize> edges,
                         std::span<const int, kGridSize> bounded);
    // The class of grid point (row, column), both 0..100 (FirePointClass).
    int ClassifyPoint(int row, int column) const;
    // Sets the exposed and outside points of the current grid (and of the previous-step grid
    // when both is non-zero) to the fire temperature at t, which it returns.
    double ApplyFireBoundary(double t, int both);

    // Chart series: position 0 a header (x = depth, value = 51), then 51 x 51 points column
    // by column from the edge (column 100) to the centre line, each from the top down, every
    // second grid point, with x = 2q for column 100 - 2q. Quantities 2110/2111 temperature in
    // display units, 2112/2113 |ConcreteStrengthFactor|, 2114/2115 |ConcretePeakStrainFactor|,
    // others 0; outside points kPlotOutside. 1 while a point was delivered.
    void ResetPlotIterator() { m_plotPosition = 0; }
    int GetNextPlotPoint(int quantity, double& x, double& value);

    // Sweeps of the last step and of the whole run so far, and steps taken.
    int GetLastSweepCount() const { return m_lastSweeps; }
    long GetTotalSweeps() const { return m_totalSweeps; }
    int GetStepCount() const { return m_steps; }

private:
    // A solved point: its index in the grids and those of its four neighbours after the
    // mirror substitutions (left, right, lower, upper).
    struct StencilPoint {
        int self = 0;
        std::array<int, 4> neighbour{};
    };
    static int Index(int row, int column) { return row * kStride + column; }
    void BuildStencil();
    StencilPoint MakeStencil(int row, int column, int pointClass) const;
    double GridValue(int row, int column) const { return m_T[Index(row, column)]; }

    std::array<double, kStride * kStride> m_T{};
    std::array<double, kStride * kStride> m_P{};
    // The field one step before P, and the length of the step between them (0 before the
    // first step).
    std::array<double, kStride * kStride> m_Q{};
    double m_lastStep = 0.0;
    std::array<int, kStride> m_edge{};
    std::array<int, kStride> m_bounded{};
    std::array<int, kGridSize * kGridSize> m_class{};
    // The solved points in sweep order (rows bottom up, columns from the centre line out),
    // with the explicit part and the neighbour coefficient of the current step.
    std::vector<StencilPoint> m_solved;
    std::vector<double> m_explicit;
    std::vector<double> m_coefficient;
    // Grid indices of the points held at the fire temperature (exposed or outside).
    std::vector<int> m_held;
    int m_plotPosition = 0;
    int m_lastSweeps = 0;
    long m_totalSweeps = 0;
    int m_steps = 0;
};
