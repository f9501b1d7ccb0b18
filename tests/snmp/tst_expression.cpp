#include "snmp/errors.h"
#include "snmp/expression.h"
#include "snmp/kxexception.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestExpression : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void evaluate_data();
    void evaluate();
    void badExpressionsRaise_data();
    void badExpressionsRaise();
};

void TestExpression::evaluate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("precedence") << u"1 + 2 * 3"_s << 7.0;
    QTest::newRow("parentheses and unary") << u"-(1 + 2) / 4"_s << -0.75;
    QTest::newRow("comparison") << u"3 >= 3"_s << 1.0;
    QTest::newRow("logic") << u"1 < 2 and not 0 or 0"_s << 1.0;
    QTest::newRow("string equality") << u"\"ab\" = \"ab\""_s << 1.0;
    QTest::newRow("string inequality") << u"\"ab\" <> \"ab\""_s << 0.0;
}

void TestExpression::evaluate()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(KxExpression::Evaluate(text), value);
    QCOMPARE(KxExpression::Test(text), value != 0);
}

void TestExpression::badExpressionsRaise_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("text in arithmetic") << u"\"a\" + 1"_s;
    QTest::newRow("text compared to number") << u"\"1\" = 1"_s;
    QTest::newRow("unclosed") << u"(1 + 2"_s;
    QTest::newRow("trailing") << u"1 2"_s;
    QTest::newRow("division by zero") << u"1 / 0"_s;
    QTest::newRow("text result") << u"\"x\""_s;
}

void TestExpression::badExpressionsRaise()
{
    QFETCH(QString, text);
    try {
        KxExpression::Evaluate(text);
        QFAIL("no exception");
    } catch (const KxException &e) {
        QCOMPARE(e.helpContext(), KxError::BadSyntaxInExpression);
    }
}

QTEST_APPLESS_MAIN(TestExpression)
#include "tst_expression.moc"
