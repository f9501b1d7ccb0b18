#include "snmp/expression.h"

#include "snmp/errors.h"
#include "snmp/kxexception.h"

#include <cmath>

namespace KxExpression {

namespace {

struct Operand
{
    bool isText = false;
    double number = 0;
    QString text;
};

class Parser
{
public:
    explicit Parser(const QString &text)
        : m_text(text)
    {}

    Operand parseAll()
    {
        Operand value = parseOr();
        skipBlanks();
        if (m_at != m_text.size())
            fail();
        return value;
    }

private:
    [[noreturn]] static void fail() { KxException::raise(KxError::BadSyntaxInExpression); }

    static double numberOf(const Operand &operand)
    {
        if (operand.isText)
            fail();
        return operand.number;
    }

    static Operand number(double value) { return {false, value, {}}; }

    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    // Consumes the symbol or keyword when it comes next.
    bool accept(QStringView symbol)
    {
        skipBlanks();
        if (!QStringView(m_text).mid(m_at).startsWith(symbol, Qt::CaseInsensitive))
            return false;
        const qsizetype end = m_at + symbol.size();
        if (symbol.front().isLetter() && end < m_text.size() && m_text.at(end).isLetterOrNumber())
            return false;
        m_at = end;
        return true;
    }

    Operand parseOr()
    {
        Operand left = parseAnd();
        while (accept(u"or")) {
            const Operand right = parseAnd();
            left = number(numberOf(left) != 0 || numberOf(right) != 0 ? 1 : 0);
        }
        return left;
    }

    Operand parseAnd()
    {
        Operand left = parseComparison();
        while (accept(u"and")) {
            const Operand right = parseComparison();
            left = number(numberOf(left) != 0 && numberOf(right) != 0 ? 1 : 0);
        }
        return left;
    }

    Operand parseComparison()
    {
        const Operand left = parseSum();
        static constexpr QStringView operators[] = {u"<=", u">=", u"<>", u"=", u"<", u">"};
        for (const QStringView op : operators) {
            if (accept(op))
                return number(compare(left, parseSum(), op) ? 1 : 0);
        }
        return left;
    }

    static bool compare(const Operand &left, const Operand &right, QStringView op)
    {
        if (left.isText != right.isText)
            fail();
        const int order = left.isText
                              ? left.text.compare(right.text)
                              : (left.number < right.number ? -1 : left.number > right.number);
        if (op == u"=")
            return order == 0;
        if (op == u"<>")
            return order != 0;
        if (op == u"<")
            return order < 0;
        if (op == u">")
            return order > 0;
        if (op == u"<=")
            return order <= 0;
        return order >= 0;
    }

    Operand parseSum()
    {
        Operand left = parseTerm();
        for (;;) {
            if (accept(u"+"))
                left = number(numberOf(left) + numberOf(parseTerm()));
            else if (accept(u"-"))
                left = number(numberOf(left) - numberOf(parseTerm()));
            else
                return left;
        }
    }

    Operand parseTerm()
    {
        Operand left = parseUnary();
        for (;;) {
            if (accept(u"*")) {
                left = number(numberOf(left) * numberOf(parseUnary()));
            } else if (accept(u"/")) {
                const double divisor = numberOf(parseUnary());
                if (divisor == 0)
                    fail();
                left = number(numberOf(left) / divisor);
            } else {
                return left;
            }
        }
    }

    Operand parseUnary()
    {
        if (accept(u"-"))
            return number(-numberOf(parseUnary()));
        if (accept(u"+"))
            return number(numberOf(parseUnary()));
        if (accept(u"not"))
            return number(numberOf(parseUnary()) == 0 ? 1 : 0);
        return parsePrimary();
    }

    Operand parsePrimary()
    {
        skipBlanks();
        if (accept(u"(")) {
            Operand inner = parseOr();
            if (!accept(u")"))
                fail();
            return inner;
        }
        if (m_at < m_text.size() && m_text.at(m_at) == u'"')
            return parseText();
        return parseNumber();
    }

    Operand parseText()
    {
        const qsizetype end = m_text.indexOf(u'"', m_at + 1);
        if (end < 0)
            fail();
        Operand operand{true, 0, m_text.mid(m_at + 1, end - m_at - 1)};
        m_at = end + 1;
        return operand;
    }

    Operand parseNumber()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && (m_text.at(m_at).isDigit() || m_text.at(m_at) == u'.'))
            ++m_at;
        bool ok = false;
        const double value = QStringView(m_text).mid(start, m_at - start).toDouble(&ok);
        if (!ok)
            fail();
        return number(value);
    }

    const QString &m_text;
    qsizetype m_at = 0;
};

} // namespace

double Evaluate(const QString &text)
{
    const Operand result = Parser(text).parseAll();
    if (result.isText || !std::isfinite(result.number))
        KxException::raise(KxError::BadSyntaxInExpression);
    return result.number;
}

bool Test(const QString &text)
{
    return Evaluate(text) != 0;
}

} // namespace KxExpression
