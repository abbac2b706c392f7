#include "dialogs/SorDemo.h"

#include <cmath>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"

TSorGrid::TSorGrid(int n) : m_n(n < 1 ? 1 : n > kMaxSorBlocks ? kMaxSorBlocks : n)
{
    m_t.assign(static_cast<std::size_t>(Rows()) * static_cast<std::size_t>(Columns()), 0.0);
    const int last = m_n / 2;
    for (int r = 0; r <= m_n; ++r) {
        m_t[Index(r, 0)] = 300.0;
        m_t[Index(r, last)] = 100.0;
    }
    for (int c = 1; c < last; ++c) {
        m_t[Index(0, c)] = 200.0;
        m_t[Index(m_n, c)] = 400.0;
    }
}

double TSorGrid::Sweep(double w)
{
    double largest = 0.0;
    for (int r = 1; r < m_n; ++r) {
        for (int c = 1; c < m_n / 2; ++c) {
            const double old = m_t[Index(r, c)];
            const double sum = m_t[Index(r - 1, c)] + m_t[Index(r + 1, c)] + m_t[Index(r, c - 1)] + m_t[Index(r, c + 1)];
            const double now = w * sum / 4.0 + (1.0 - w) * old;
            m_t[Index(r, c)] = now;
            largest = std::max(largest, std::fabs(now - old));
        }
    }
    return largest;
}

namespace {

std::string BlocksMessage()
{
    return StrPrintf("The number of blocks must be a whole number between 1 and %d.", kMaxSorBlocks);
}

const char* const kFactorMessage =
    "The over-relaxation factor must lie between 0 and 2; outside that range the field diverges.";

bool FactorInRange(double w) { return w > 0.0 && w < 2.0; }

} // namespace

int CheckSorInputs(int n, double w)
{
    if (n < 1 || n > kMaxSorBlocks) {
        ShowMessage(BlocksMessage(), "Number of Blocks", MsgStyle::Ok | MsgStyle::IconExclamation);
        return 0;
    }
    if (!FactorInRange(w)) {
        ShowMessage(kFactorMessage, "Successive Over-relaxation Factor", MsgStyle::Ok | MsgStyle::IconExclamation);
        return 0;
    }
    return 1;
}

std::string ReadSorBlocks(const std::string& text, int& n)
{
    return ReadTypedCount(text, "Number of blocks", 1, kMaxSorBlocks, n).empty() ? std::string() : BlocksMessage();
}

std::string ReadSorFactor(const std::string& text, double& w)
{
    const double typed = TypedNumber(text);
    if (!FactorInRange(typed))
        return kFactorMessage;
    w = typed;
    return {};
}

SorResult RelaxSorGrid(TSorGrid& grid, double w, const std::function<void(const TSorGrid&)>& afterSweep)
{
    SorResult r;
    const double tolerance = 0.01 * w;
    double change = 10000.0;
    while (change > tolerance) {
        change = grid.Sweep(w);
        ++r.sweeps;
        r.lastChange = change;
        if (afterSweep)
            afterSweep(grid);
        if (r.sweeps > kMaxSorSweeps)
            break; // capped: the report keeps the real last change
    }
    return r;
}

std::string SorReport(const SorResult& r)
{
    return StrPrintf("\n %d iterations needed\nMax Error %9.6f\n", r.sweeps, r.lastChange);
}

std::string SorPrintout(const SorResult& r, const TSorGrid& grid)
{
    std::string t = SorReport(r);
    for (int row = 0; row < grid.Rows(); ++row) {
        t += "\n";
        for (int c = 0; c < grid.Columns(); ++c)
            t += StrPrintf(" %5.1f ", grid.At(row, c));
    }
    t += "\n";
    return t;
}

SorColour SorBlockColour(double t)
{
    const auto byte = [](double v) { return static_cast<int>(static_cast<long long>(v) & 0xFF); };
    SorColour c;
    if (t >= 200.0) {
        c.red = byte(std::fabs(255.0 - (t - 200.0) * 1.25));
        c.green = byte((t - 200.0) * 500.0 / 400.0);
        c.blue = 0;
    } else {
        c.red = byte(t * 1.25);
        c.green = 0;
        c.blue = byte(256.0 - t * 1.25);
    }
    return c;
}
