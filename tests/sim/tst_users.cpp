// The simulator's users file.
#include "users.h"

#include <QTemporaryFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestUsers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsUsersAndTheirGroups()
    {
        std::vector<sim::SnmpUser> users;
        QCOMPARE(load("# comment\n\nalice SHA authpass123 AES privpass123 # admin\n"
                      "bob MD5 authpass123 - -\ncarol - - - -\n",
                      users),
                 QString());
        QCOMPARE(users.size(), size_t(3));
        QCOMPARE(users[0].privPassword, std::string("privpass123"));
        QCOMPARE(users[0].group(), std::string("v3priv"));
        QCOMPARE(users[1].group(), std::string("v3auth"));
        QCOMPARE(users[2].authProtocol, std::string());
        QCOMPARE(users[2].group(), std::string("v3noauth"));
    }

    void refusesBrokenLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("fields") << u"alice SHA authpass123"_s << u"expected: name"_s;
        QTest::newRow("protocol") << u"alice SHA1 authpass123 - -"_s
                                  << u"unknown authentication protocol SHA1"_s;
        QTest::newRow("privacy") << u"alice SHA authpass123 IDEA privpass123"_s
                                 << u"unknown privacy protocol IDEA"_s;
        QTest::newRow("privacy without authentication")
            << u"alice - - AES privpass123"_s << u"privacy needs authentication"_s;
        QTest::newRow("short password")
            << u"alice SHA short - -"_s << u"passwords need at least 8"_s;
        QTest::newRow("quote") << u"alice SHA auth\"pass123 - -"_s << u"quotes"_s;
    }

    void refusesBrokenLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        std::vector<sim::SnmpUser> users;
        const QString result
            = load("good SHA authpass123 - -\n" + line.toStdString() + "\n", users);
        QVERIFY2(result.contains(u":2: "_s + error), qPrintable(result));
    }

private:
    static QString load(const std::string &text, std::vector<sim::SnmpUser> &users)
    {
        QTemporaryFile file;
        if (!file.open())
            return u"no temporary file"_s;
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        return QString::fromStdString(sim::LoadUsersFile(file.fileName().toStdString(), users));
    }
};

QTEST_GUILESS_MAIN(TestUsers)
#include "tst_users.moc"
