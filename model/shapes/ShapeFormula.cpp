#include "model/shapes/ShapeFormula.h"

#include <cassert>
#include <charconv>
#include <optional>

#include "foundation/ExpressionStack.h"
#include "foundation/Sentinel.h"

namespace {

// Longest number a formula may spell.
constexpr std::size_t kNumberChars = 30;

bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

bool IsAdditive(char op)
{
    return op == '+' || op == '-';
}

// Walks one row. Every operand is pushed and at once combined into the entry below it: a
// placeholder 0 without operator (start of the formula, of a parenthesis or of a term after
// '+' or '-'), or an entry waiting with '*' or '/'. A '+' or '-' first folds the terms already
// complete at its depth, so that "a-b-c" is (a-b)-c, then leaves its operator on the term and
// pushes a new placeholder. ')' folds everything of its depth into the entry that was waiting
// before the parenthesis.
class RowEvaluator {
public:
    explicit RowEvaluator(const ShapeParams& paramsMm) : m_params(paramsMm) {}

    FormulaStatus Run(const std::string& code, std::size_t begin, std::size_t end, double& value)
    {
        for (std::size_t i = begin; i < end && m_status == FormulaStatus::Ok;) {
            const char c = code[i];
            if (IsNumberChar(c)) {
                std::size_t stop = i;
                while (stop < end && IsNumberChar(code[stop]))
                    ++stop;
                Number(code.data() + i, code.data() + stop);
                i = stop;
                continue;
            }
            ++i;
            const int param = c - ShapeCode::kFirstParam;
            if (param >= 0 && param < kMaxShapeParams)
                Operand(m_params[static_cast<std::size_t>(param)]);
            else if (c == '+' || c == '-')
                Additive(c);
            else if (c == '*' || c == '/')
                Multiplicative(c);
            else if (c == '(')
                Open();
            else if (c == ')')
                Close();
            else
                m_status = FormulaStatus::Malformed;
        }
        if (m_status != FormulaStatus::Ok)
            return m_status;
        if (m_expectOperand || m_depth != 0)
            return FormulaStatus::Malformed;
        while (m_stack.GetCount() > 1 && m_status == FormulaStatus::Ok)
            Reduce();
        const std::optional<double> top = m_stack.Pop();
        if (m_status != FormulaStatus::Ok || !top)
            return FormulaStatus::Malformed;
        value = *top;
        return FormulaStatus::Ok;
    }

private:
    void Push(double v, char op)
    {
        if (!m_stack.Push(v, op, m_depth))
            m_status = FormulaStatus::TooDeep;
    }

    // The walk only reduces where two entries are on the stack; a refusal would be a fault
    // of the walk, and the row is then refused rather than evaluated wrongly.
    void Reduce()
    {
        const bool reduced = m_stack.Reduce();
        assert(reduced);
        if (!reduced)
            m_status = FormulaStatus::Malformed;
    }

    void Number(const char* first, const char* last)
    {
        double v = 0.0;
        const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::fixed);
        if (static_cast<std::size_t>(last - first) > kNumberChars || ec != std::errc() ||
            ptr != last) {
            m_status = FormulaStatus::Malformed;
            return;
        }
        Operand(v);
    }

    void Operand(double v)
    {
        if (!m_expectOperand) {
            m_status = FormulaStatus::Malformed;
            return;
        }
        Push(v, 0);
        if (m_status != FormulaStatus::Ok)
            return;
        Reduce();
        m_expectOperand = false;
        m_signAllowed = false;
    }

    void Additive(char op)
    {
        if (m_expectOperand) {
            // A sign: only at the start of the formula or of a parenthesis, so "h+-b" is
            // refused like "b*-1".
            if (!m_signAllowed) {
                m_status = FormulaStatus::Malformed;
                return;
            }
        } else {
            while (m_stack.GetCount() >= 2 && m_stack.GetDepth(1) == m_depth &&
                   IsAdditive(m_stack.GetOperator(1)) && m_status == FormulaStatus::Ok)
                Reduce();
        }
        m_stack.SetOperator(op);
        Push(0.0, 0);
        m_expectOperand = true;
        m_signAllowed = false;
    }

    void Multiplicative(char op)
    {
        if (m_expectOperand) {
            m_status = FormulaStatus::Malformed;
            return;
        }
        m_stack.SetOperator(op);
        m_expectOperand = true;
        m_signAllowed = false;
    }

    void Open()
    {
        if (!m_expectOperand) {
            m_status = FormulaStatus::Malformed;
            return;
        }
        ++m_depth;
        Push(0.0, 0);
        m_signAllowed = true;
    }

    void Close()
    {
        if (m_expectOperand || m_depth == 0) {
            m_status = FormulaStatus::Malformed;
            return;
        }
        while (m_stack.GetCount() >= 2 && m_stack.GetDepth(0) == m_depth &&
               m_status == FormulaStatus::Ok)
            Reduce();
        --m_depth;
    }

    const ShapeParams& m_params;
    TEquationStack m_stack; // starts holding the entry (0, no operator, depth 0)
    FormulaStatus m_status = FormulaStatus::Ok;
    int m_depth = 0;
    bool m_expectOperand = true;
    bool m_signAllowed = true; // at the start of the formula or just after '('
};

} // namespace

FormulaResult
EvaluateShapeFormula(const std::string& code, std::size_t& cursor, const ShapeParams& paramsMm)
{
    FormulaResult result;
    if (cursor >= code.size()) {
        cursor = code.size();
        return result;
    }
    const std::size_t begin = cursor;
    const std::size_t rowEnd = code.find(ShapeCode::kRowEnd, begin);
    if (rowEnd == std::string::npos) {
        cursor = code.size();
        return result;
    }
    cursor = rowEnd + 1;
    if (rowEnd - begin == 1 && (code[begin] == ShapeCode::kDown || code[begin] == ShapeCode::kUp)) {
        const bool down = code[begin] == ShapeCode::kDown;
        result.value = down ? kUndefined : -kUndefined;
        result.marker = down ? ShapeMarker::Down : ShapeMarker::Up;
        result.status = FormulaStatus::Ok;
        return result;
    }
    RowEvaluator evaluator(paramsMm);
    result.status = evaluator.Run(code, begin, rowEnd, result.value);
    return result;
}
