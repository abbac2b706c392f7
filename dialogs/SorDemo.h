#pragma once
// The over-relaxation demonstration without its window: a steady temperature field on a
// rectangular grid with fixed edges (column 0 at 300, the last column at 100, row 0 at 200,
// the last row at 400) relaxed sweep by sweep with
//   T <- w (sum of the four neighbours) / 4 + (1 - w) T
// in row order, using the values already updated in the sweep, until the largest change of a
// sweep is no more than 0.01 w, or after 2001 sweeps.

#include <functional>
#include <string>
#include <vector>

inline constexpr int kMaxSorBlocks = 199;  // "<200": the grid holds 200 rows
inline constexpr int kMaxSorSweeps = 2000; // the run stops once more sweeps were made

class TSorGrid {
public:
    // n blocks: rows 0..n, columns 0..n/2.
    explicit TSorGrid(int n);
    int Blocks() const { return m_n; }
    int Rows() const { return m_n + 1; }
    int Columns() const { return m_n / 2 + 1; }
    double At(int row, int column) const { return m_t[Index(row, column)]; }
    // One sweep over the interior; returns the largest |change|.
    double Sweep(double w);

private:
    std::size_t Index(int row, int column) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(Columns()) + static_cast<std::size_t>(column);
    }
    int m_n;
    std::vector<double> m_t;
};

struct SorResult {
    int sweeps = 0;
    double lastChange = 0.0; // the largest change of the last sweep made, also after the cap
};

// Block counts 1..199 and factors 0 < w < 2 are accepted; anything else is refused with a
// message (the field would diverge, or would not fit). Returns 1 when accepted.
int CheckSorInputs(int n, double w);
// The answers to the two prompts, read as every typed number is: empty when taken (n or w
// set), else the message of CheckSorInputs and n or w left as it was. Text that is no number,
// or a count that is no whole number, is refused like a value out of range.
std::string ReadSorBlocks(const std::string& text, int& n);
std::string ReadSorFactor(const std::string& text, double& w);
// Relaxes until converged or capped; afterSweep runs after every sweep (the painting).
SorResult RelaxSorGrid(TSorGrid& grid, double w, const std::function<void(const TSorGrid&)>& afterSweep = {});
// "\n %d iterations needed\nMax Error %9.6f\n"
std::string SorReport(const SorResult& r);
// The report followed by the grid, each row on its own line, " %5.1f " per value.
std::string SorPrintout(const SorResult& r, const TSorGrid& grid);

struct SorColour {
    int red = 0, green = 0, blue = 0;
};
// Hot values red to yellow, cool ones blue to red; each byte is the low byte of the
// truncated value.
SorColour SorBlockColour(double t);
// Block size in pixels: 1024 / n.
inline int SorBlockSize(int n) { return n > 0 ? 1024 / n : 0; }
