#include "foundation/ExpressionStack.h"

#include <cmath>

#include "foundation/Reporter.h"

namespace {

double Combine(double a, double b, char op)
{
    switch (op) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    case '*':
        return a * b;
    case '/':
        // Guards against a parameter entered as 0: a tiny divisor is clamped to 0.001 with
        // its sign, and 0 itself gives 0.
        if (std::fabs(b) < 0.001) {
            const double sign = b > 0.0 ? 1.0 : (b < 0.0 ? -1.0 : 0.0);
            return sign * (a / 0.001);
        }
        return a / b;
    default:
        return b;
    }
}

} // namespace

TEquationStack::TEquationStack()
{
    const bool pushed = Push(0.0, 0, 0);
    (void)pushed; // an empty stack always has room
}

bool TEquationStack::Push(double value, char op, int depth)
{
    if (m_count >= kMaxEntries)
        return false;
    for (int i = m_count; i > 0; --i) {
        const auto to = static_cast<std::size_t>(i);
        m_values[to] = m_values[to - 1];
        m_operators[to] = m_operators[to - 1];
        m_depths[to] = m_depths[to - 1];
    }
    m_values[0] = value;
    m_operators[0] = op;
    m_depths[0] = depth;
    ++m_count;
    return true;
}

std::optional<double> TEquationStack::Pop()
{
    if (m_count <= 0)
        return std::nullopt;
    const double top = m_values[0];
    for (int i = 1; i < m_count; ++i) {
        const auto from = static_cast<std::size_t>(i);
        m_values[from - 1] = m_values[from];
        m_operators[from - 1] = m_operators[from];
        m_depths[from - 1] = m_depths[from];
    }
    --m_count;
    const auto freed = static_cast<std::size_t>(m_count);
    m_values[freed] = 0.0;
    m_operators[freed] = 0;
    m_depths[freed] = 0;
    return top;
}

bool TEquationStack::SetOperator(char op)
{
    if (m_count <= 0)
        return false;
    m_operators[0] = op;
    return true;
}

char TEquationStack::GetOperator(int i) const
{
    return i >= 0 && i < m_count ? m_operators[static_cast<std::size_t>(i)] : '\0';
}

int TEquationStack::GetDepth(int i) const
{
    return i >= 0 && i < m_count ? m_depths[static_cast<std::size_t>(i)] : -1;
}

double TEquationStack::GetValue(int i) const
{
    return i >= 0 && i < m_count ? m_values[static_cast<std::size_t>(i)] : 0.0;
}

bool TEquationStack::Reduce()
{
    if (m_count < 2)
        return false;
    if (m_operators[0] != 0)
        ShowMessage("Error in the new equation", "Equation Error");
    const double b = *Pop();
    Apply(m_values[0], b, m_operators[0]);
    m_operators[0] = 0;
    return true;
}

bool TEquationStack::Apply(double a, double b, char op)
{
    if (m_count <= 0)
        return false;
    m_values[0] = Combine(a, b, op);
    return true;
}
