#pragma once

#include <QString>

// The expressions of variables and row filters, after their variables have
// been substituted: decimal numbers, "quoted strings", + - * / and
// parentheses, the comparisons = <> < > <= >=, and "and", "or", "not".
// Strings may only be compared. Raises KxException -513 on anything else.
namespace KxExpression {

double Evaluate(const QString &text);
// True when the expression's value is not 0.
bool Test(const QString &text);

} // namespace KxExpression
