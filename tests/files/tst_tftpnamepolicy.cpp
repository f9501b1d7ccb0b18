#include "files/kxtftpmsg.h"
#include "files/tftpnamepolicy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr int Read = KxTFTPOperation::Read;
constexpr int Write = KxTFTPOperation::Write;
} // namespace

// GIVEN a root folder with a file, a sub-folder and links pointing out of it,
// and beside it a folder the server must never reach.
class TestTftpNamePolicy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void resolve_data();
    void resolve();
    void emptyRootServesOnlyAllowedPaths();
    void allowedPathIsExactAndPerOperation();

private:
    QTemporaryDir m_base{QDir::current().filePath(u"policy-XXXXXX"_s)};
    QString m_root;
    TftpNamePolicy m_policy;
};

void TestTftpNamePolicy::initTestCase()
{
    QVERIFY(m_base.isValid());
    QDir base(m_base.path());
    QVERIFY(base.mkpath(u"root/sub"_s) && base.mkpath(u"outside"_s));
    m_root = base.filePath(u"root"_s);
    for (const QString &name : {u"root/fw.bin"_s, u"root/sub/cfg.txt"_s, u"outside/secret"_s}) {
        QFile file(base.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(base.filePath(u"outside/secret"_s), base.filePath(u"root/out-link"_s)));
    QVERIFY(QFile::link(base.filePath(u"outside"_s), base.filePath(u"root/out-dir"_s)));
    QVERIFY(QFile::link(base.filePath(u"root/fw.bin"_s), base.filePath(u"root/in-link"_s)));
    m_policy.setRootFolder(m_root);
}

void TestTftpNamePolicy::resolve_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("relative"); // empty: refused

    QTest::newRow("file in root") << "fw.bin"_ba << Read << u"fw.bin"_s;
    QTest::newRow("file in sub-folder") << "sub/cfg.txt"_ba << Read << u"sub/cfg.txt"_s;
    QTest::newRow("backslash separator") << "sub\\cfg.txt"_ba << Read << u"sub/cfg.txt"_s;
    QTest::newRow("missing file is left to open") << "none.bin"_ba << Read << u"none.bin"_s;
    QTest::newRow("new file") << "new.cfg"_ba << Write << u"new.cfg"_s;
    QTest::newRow("new file in missing folder")
        << "nodir/new.cfg"_ba << Write << u"nodir/new.cfg"_s;
    QTest::newRow("link inside root") << "in-link"_ba << Read << u"in-link"_s;
    QTest::newRow("empty name") << ""_ba << Read << QString();
    QTest::newRow("absolute") << "/etc/passwd"_ba << Read << QString();
    QTest::newRow("absolute write") << "/tmp/x"_ba << Write << QString();
    QTest::newRow("backslash absolute") << "\\etc\\passwd"_ba << Read << QString();
    QTest::newRow("drive letter") << "C:\\fw.bin"_ba << Read << QString();
    QTest::newRow("parent") << "../outside/secret"_ba << Read << QString();
    QTest::newRow("parent inside") << "sub/../fw.bin"_ba << Read << QString();
    QTest::newRow("parent backslash") << "..\\outside\\x"_ba << Write << QString();
    QTest::newRow("trailing parent") << "sub/.."_ba << Read << QString();
    QTest::newRow("over-long") << QByteArray(256, 'a') << Write << QString();
    QTest::newRow("link out of root") << "out-link"_ba << Read << QString();
    QTest::newRow("write through link") << "out-link"_ba << Write << QString();
    QTest::newRow("folder link out of root") << "out-dir/new"_ba << Write << QString();
    QTest::newRow("read through folder link") << "out-dir/secret"_ba << Read << QString();
}

void TestTftpNamePolicy::resolve()
{
    QFETCH(QByteArray, name);
    QFETCH(int, operation);
    QFETCH(QString, relative);
    const std::optional<QString> path = m_policy.resolve(name, operation);
    if (relative.isEmpty()) {
        QVERIFY2(!path, qPrintable(path.value_or(QString())));
        return;
    }
    QVERIFY(path);
    QCOMPARE(QDir::cleanPath(*path), QDir::cleanPath(m_root + u'/' + relative));
}

void TestTftpNamePolicy::emptyRootServesOnlyAllowedPaths()
{
    TftpNamePolicy policy;
    const QString chosen = m_root + u"/fw.bin"_s;
    policy.allowPath(chosen, Read);
    QCOMPARE(policy.resolve(chosen.toUtf8(), Read), chosen);
    QVERIFY(!policy.resolve("fw.bin", Read));
    QVERIFY(!policy.resolve((m_root + u"/sub/cfg.txt"_s).toUtf8(), Read));
}

void TestTftpNamePolicy::allowedPathIsExactAndPerOperation()
{
    TftpNamePolicy policy;
    policy.setRootFolder(m_root);
    const QString chosen = m_base.filePath(u"outside/secret"_s);
    policy.allowPath(chosen, Write);
    QCOMPARE(policy.resolve(chosen.toUtf8(), Write), chosen);
    QVERIFY(!policy.resolve(chosen.toUtf8(), Read));
    QVERIFY(!policy.resolve((chosen + u'x').toUtf8(), Write));
    policy.clearAllowedPaths();
    QVERIFY(!policy.resolve(chosen.toUtf8(), Write));
}

QTEST_GUILESS_MAIN(TestTftpNamePolicy)
#include "tst_tftpnamepolicy.moc"
