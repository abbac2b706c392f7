#pragma once
// TEquationStack: the value stack on which the shape library evaluates the arithmetic of its
// outline formulas ("b/2+tw*(h-50)" over the shape parameters, in mm).
//
// Entry 0 is the top. Each entry holds a value, the operator still pending on it ('+', '-',
// '*', '/' or 0 for none) and the parenthesis depth it was pushed at. The stack holds at most
// kMaxEntries entries: a push onto a full stack, or a pop or reduction with too few entries,
// is refused with a failure result for the evaluator to report, and the stack is unchanged.

#include <array>
#include <optional>

class TEquationStack {
public:
    static constexpr int kMaxEntries = 10;

    // The stack starts with one entry (0.0, no operator, depth 0).
    TEquationStack();

    // Inserts (value, op, depth) as the new top, moving the others down; false when full.
    [[nodiscard]] bool Push(double value, char op, int depth);
    // Removes the top entry and answers its value, moving the others up; none when empty.
    [[nodiscard]] std::optional<double> Pop();
    // Sets the pending operator of the top entry; false when empty.
    bool SetOperator(char op);
    // Pending operator (0 when none) and parenthesis depth of entry i; out of range they
    // read 0 and -1.
    char GetOperator(int i) const;
    int GetDepth(int i) const;
    // Value of entry i; 0.0 out of range.
    double GetValue(int i) const;
    int GetCount() const { return m_count; }
    // Pops the top value b and makes the new top a op b with a, op the new top's value and
    // pending operator, clearing that operator. A top that still has an operator pending is
    // a malformed formula: "Error in the new equation" (caption "Equation Error") is shown
    // and the reduction goes on. False, with nothing changed, when fewer than two entries
    // are on the stack.
    [[nodiscard]] bool Reduce();
    // Sets the top value to a op b: a + b, a - b, a * b, or a / b where a divisor with
    // |b| < 0.001 is taken as sign(b) 0.001 (0 for b = 0); any other operator gives b.
    // False when the stack is empty.
    bool Apply(double a, double b, char op);

private:
    std::array<double, kMaxEntries> m_values{};
    std::array<char, kMaxEntries> m_operators{};
    std::array<int, kMaxEntries> m_depths{};
    int m_count = 0;
};
