#include "binding/editconstraint.h"
#include "scriptedprompts.h"
#include "snmp/kxexception.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// A form with two edit boxes; the first gets the format under test.
class Form
{
public:
    explicit Form(const QString &format)
        : constraint(&window, true)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        constraint.Attach(first, format);
        window.show();
        window.activateWindow();
        first->setFocus();
    }

    bool waitActive() { return QTest::qWaitForWindowActive(&window); }

    // Moves the focus away from the first box, which validates it.
    void leaveFirst()
    {
        second->setFocus();
        QCoreApplication::processEvents();
    }

    QWidget window;
    QLineEdit *first = new QLineEdit;
    QLineEdit *second = new QLineEdit;
    KxEditConstraint constraint;
};

class TestEditConstraint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsInUseParse_data()
    {
        QTest::addColumn<QString>("format");
        const char *formats[] = {
            "%s",
            "%s{l2}",
            "%s{l64}",
            "%i{n0x6l1}",
            "%i{n1x24l2}",
            "%i{n1x10l2a}",
            "%i{n100x1000l4a}",
            "%i{n30x99999l5}",
            "%i{n1x16711450l8}",
            "%i{n1x2147483647l10}",
            "%n,{x100l3}",
            "%u{e.}",
            "%f{n-1.5x2.5}",
            "%h{l12fn}",
            "%s{w80l16}",
        };
        for (const char *format : formats)
            QTest::newRow(format) << QString::fromLatin1(format);
    }

    void formatsInUseParse()
    {
        QFETCH(QString, format);
        ParseInputFormat(format);
    }

    void badFormatsRaise2_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("no percent") << u"i{n1x24}"_s;
        QTest::newRow("unknown conversion") << u"%z"_s;
        QTest::newRow("no closing brace") << u"%i{n1x24"_s;
        QTest::newRow("text instead of block") << u"%ix"_s;
        QTest::newRow("unknown option") << u"%i{q1}"_s;
        QTest::newRow("l without digits") << u"%s{l}"_s;
        QTest::newRow("n without delimiter") << u"%n"_s;
        QTest::newRow("e without character") << u"%u{e}"_s;
        QTest::newRow("bound not a number") << u"%i{n1.2.3}"_s;
        QTest::newRow("too short") << u"%"_s;
    }

    void badFormatsRaise2()
    {
        QFETCH(QString, format);
        try {
            ParseInputFormat(format);
            QFAIL("accepted");
        } catch (const KxException &error) {
            QCOMPARE(error.helpContext(), -2);
            QCOMPARE(error.message(), u"(KxCommon) Bad format specifier of edit's constraint!"_s);
        }
    }

    void optionsAreRead()
    {
        const InputFormat format = ParseInputFormat(u"%i{n100x1000l4a}"_s);
        QCOMPARE(format.lower, 100.0);
        QCOMPARE(format.upper, 1000.0);
        QCOMPARE(format.lengthLimit, 4);
        QCOMPARE(format.flags, quint16(InputFormat::AdvanceWhenFull));
        QCOMPARE(ParseInputFormat(u"%h{l12fn}"_s).flags,
                 quint16(InputFormat::FixedLength | InputFormat::Required));
        QCOMPARE(SplitCompositeFormat(u"%s{l2}%i{n1x24}%u"_s),
                 (QStringList{u"%s{l2}"_s, u"%i{n1x24}"_s, u"%u"_s}));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("advanced");
        QTest::newRow("letter in integer") << u"%i{n1x24l2}"_s << u"a"_s << u""_s << 1 << false;
        QTest::newRow("25 while typing") << u"%i{n1x24l2}"_s << u"25"_s << u"25"_s << 0 << false;
        QTest::newRow("advance when full") << u"%i{n1x10l2a}"_s << u"10"_s << u"10"_s << 0 << true;
        QTest::newRow("sixteen at most")
            << u"%s{l16}"_s << u"abcdefghijklmnopq"_s << u"abcdefghijklmnop"_s << 0 << false;
        QTest::newRow("minus not first") << u"%i{n0x255l3}"_s << u"1-"_s << u"1"_s << 1 << false;
        QTest::newRow("lone minus") << u"%i{n0x255l3}"_s << u"-"_s << u"-"_s << 0 << false;
        QTest::newRow("double delimiter")
            << u"%n,{x100l3}"_s << u"1,,2"_s << u"1,2"_s << 1 << false;
        QTest::newRow("leading delimiter") << u"%n,{x100l3}"_s << u",1"_s << u"1"_s << 1 << false;
        QTest::newRow("end character") << u"%u{e.}"_s << u"19."_s << u"19"_s << 0 << true;
        QTest::newRow("hex") << u"%h"_s << u"AfG0"_s << u"Af0"_s << 1 << false;
        QTest::newRow("one decimal point") << u"%f"_s << u"-1.5.2"_s << u"-1.52"_s << 1 << false;
    }

    void typing()
    {
        QFETCH(QString, format);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        QFETCH(bool, advanced);
        ScriptedPrompts prompts;
        Form form(format);
        QVERIFY(form.waitActive());

        QTest::keyClicks(form.first, typed);

        QCOMPARE(form.first->text(), text);
        QCOMPARE(prompts.beeps, beeps);
        QCOMPARE(form.second->hasFocus(), advanced);
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("above range") << u"%i{n1x24l2}"_s << u"25"_s
                                     << u"(KxCommon) Please enter a number between 1 and 24!"_s;
        QTest::newRow("empty allowed") << u"%i{n1x24l2}"_s << u""_s << u""_s;
        QTest::newRow("empty required")
            << u"%s{l8n}"_s << u""_s << u"(KxCommon) Empty value is not allowed!"_s;
        QTest::newRow("lone minus reads 0") << u"%i{n0x255l3}"_s << u"-"_s << u""_s;
        QTest::newRow("limit length passes") << u"%s{l16}"_s << u"abcdefghijklmnop"_s << u""_s;
        QTest::newRow("fixed length")
            << u"%s{l4f}"_s << u"abc"_s << u"(KxCommon) Please enter a string whose length is 4!"_s;
        QTest::newRow("fixed hex length")
            << u"%h{l4f}"_s << u"ABC"_s
            << u"(KxCommon) Please enter a hex string whose length is 4!"_s;
        QTest::newRow("real bounds") << u"%f{n-1.5x2.5}"_s << u"2.75"_s
                                     << u"(KxCommon) Please enter a number between -1.5 and 2.5!"_s;
        QTest::newRow("too many numbers")
            << u"%n,{x100l3}"_s << u"1,2,3,4"_s
            << u"(KxCommon) Please enter a delimited number string with delimiter ','.\n"
               "Here,the count of the number is less than 3!"_s;
        QTest::newRow("three numbers pass") << u"%n,{x100l3}"_s << u"1,2,100"_s << u""_s;
        QTest::newRow("fixed count")
            << u"%n.{x255l4f}"_s << u"10.0.0"_s
            << u"(KxCommon) Please enter a delimited number string with delimiter '.'.\n"
               "Here,the count of the number is equal to 4!"_s;
        QTest::newRow("number out of range")
            << u"%n,{n1x100l3}"_s << u"1,101"_s
            << u"(KxCommon) Please enter a delimited number string with delimiter ','.\n"
               "Here,each number is between 1 and 100!"_s;
        QTest::newRow("placeholder not checked") << u"%i{n1x24l2}"_s << u"(NULL)"_s << u""_s;
    }

    void leaving()
    {
        QFETCH(QString, format);
        QFETCH(QString, text);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        Form form(format);
        QVERIFY(form.waitActive());
        QSignalBlocker noFilter(form.first);
        form.first->setText(text);

        form.leaveFirst();

        QCOMPARE(prompts.lastText(), message);
        if (message.isEmpty()) {
            QCOMPARE(form.first->text(), text);
            QVERIFY(form.second->hasFocus());
        } else {
            QCOMPARE(form.first->text(), QString());
            QTRY_VERIFY(form.first->hasFocus());
        }
    }

    void failureRestoresLastAcceptedText()
    {
        ScriptedPrompts prompts;
        Form form(u"%i{n1x24l2}"_s);
        QVERIFY(form.waitActive());
        QTest::keyClicks(form.first, u"5"_s);
        form.leaveFirst();
        QCOMPARE(form.constraint.lastAccepted(form.first), u"5"_s);

        form.first->setFocus();
        form.first->clear();
        QTest::keyClicks(form.first, u"30"_s);
        form.leaveFirst();

        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(form.first->text(), u"5"_s);
    }

    void dialogHandlersRunAfterChecksAndMayVeto()
    {
        ScriptedPrompts prompts;
        Form form(u"%i{n1x24l2a}"_s);
        QVERIFY(form.waitActive());
        QStringList seen;
        form.constraint.setChangeHandler(form.first, [&seen](QLineEdit *edit) {
            seen << edit->text();
            edit->setProperty("tag", -1);
        });
        form.constraint.setExitHandler(form.first, [](QLineEdit *edit) {
            edit->setProperty("tag", edit->text() == u"12"_s ? -1 : 0);
        });

        QTest::keyClicks(form.first, u"x12"_s);
        // The misfit never reaches the dialog; the veto stops the advance.
        QCOMPARE(seen, (QStringList{u"1"_s, u"12"_s}));
        QVERIFY(form.first->hasFocus());

        form.leaveFirst();
        QCOMPARE(form.constraint.lastAccepted(form.first), QString());
        QCOMPARE(form.first->text(), QString());
        QVERIFY(prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestEditConstraint)
#include "tst_editconstraint.moc"
