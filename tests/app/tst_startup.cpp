#include "app/failurereport.h"
#include "app/kxini.h"
#include "app/startup.h"
#include "platform/prompts.h"
#include "scriptedprompts.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Fields = QMap<QString, QString>;
Q_DECLARE_METATYPE(Fields)

namespace {

Fields recordFields()
{
    const KxSNMPDevice &d = GlobalDevice();
    const KxSNMPScope &s = GlobalScope();
    const KxSNMPSecurity &c = GlobalSecurity();
    return {
        {u"address"_s, d.address},
        {u"port"_s, QString::number(d.port)},
        {u"version"_s, QString::number(c.version)},
        {u"contextName"_s, s.contextName},
        {u"contextEngineId"_s, s.contextEngineId},
        {u"read"_s, c.readCommunity},
        {u"write"_s, c.writeCommunity},
        {u"model"_s, QString::number(c.securityModel)},
        {u"level"_s, QString::number(c.securityLevel)},
        {u"name"_s, c.securityName},
        {u"authPassword"_s, c.authPassword},
        {u"privPassword"_s, c.privPassword},
        {u"auth"_s, QString::number(c.authProtocol)},
        {u"priv"_s, QString::number(c.privProtocol)},
        {u"bulk"_s, QString::number(DefaultBulkRepetitions())},
    };
}

// A complete configuration file; `overrides` replace or add keys.
QByteArray configFile(const Fields &overrides = {})
{
    Fields keys{{u"AgentPort"_s, u"1161"_s},
                {u"Version"_s, u"3"_s},
                {u"ContextName"_s, u"ctx"_s},
                {u"ContextEngineID"_s, u"800000"_s},
                {u"SecurityModel"_s, u"3"_s},
                {u"SecurityLevel"_s, u"2"_s},
                {u"SecurityName"_s, u"admin"_s},
                {u"AuthProtocol"_s, u"1"_s},
                {u"PrivProtocol"_s, u"1"_s},
                {u"AuthPassword"_s, u"authpass"_s},
                {u"PrivPassword"_s, u"privpass"_s}};
    keys.insert(overrides);
    QByteArray text = "; written by the station\r\n[Program Information]\r\n";
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        text += it.key().toUtf8() + '=' + it.value().toUtf8() + "\r\n";
    return text;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString configFolder() const { return m_dir.path() + u'/'; }

    void writeConfig(const QString &address, const QByteArray &content)
    {
        QFile file(configFolder() + address + u".cfg"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private Q_SLOTS:
    void init()
    {
        LoadRecordDefaults();
        SetDefaultBulkRepetitions(0);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<Fields>("expected");

        QTest::newRow("file port") << QStringList{u"/I10.1.1.1"_s} << configFile()
                                   << Fields{{u"port"_s, u"1161"_s}, {u"address"_s, u"10.1.1.1"_s}};
        QTest::newRow("option after /I wins") << QStringList{u"/I10.1.1.1"_s, u"/t2000"_s}
                                              << configFile() << Fields{{u"port"_s, u"2000"_s}};
        QTest::newRow("file after option wins") << QStringList{u"/t2000"_s, u"/I10.1.1.1"_s}
                                                << configFile() << Fields{{u"port"_s, u"1161"_s}};
        QTest::newRow("/I tested first")
            << QStringList{u"/Rab/Icd"_s} << QByteArray()
            << Fields{{u"address"_s, u"cd"_s}, {u"read"_s, u"tundra"_s}};
        QTest::newRow("marker anywhere")
            << QStringList{u"x/Wsecret"_s} << QByteArray() << Fields{{u"write"_s, u"secret"_s}};
        QTest::newRow("case-sensitive markers")
            << QStringList{u"/a3"_s, u"/Apass"_s, u"/p2"_s, u"/Ppriv"_s} << QByteArray()
            << Fields{{u"auth"_s, u"3"_s},
                      {u"authPassword"_s, u"pass"_s},
                      {u"priv"_s, u"2"_s},
                      {u"privPassword"_s, u"priv"_s}};
        QTest::newRow("unknown argument ignored") << QStringList{u"-verbose"_s, u"/v1"_s}
                                                  << QByteArray() << Fields{{u"version"_s, u"1"_s}};
        QTest::newRow("file codes converted") << QStringList{u"/I10.1.1.1"_s} << configFile()
                                              << Fields{{u"level"_s, u"3"_s},
                                                        {u"auth"_s, u"2"_s},
                                                        {u"priv"_s, u"2"_s},
                                                        {u"version"_s, u"3"_s}};
        QTest::newRow("IDEA is 9")
            << QStringList{u"/I10.1.1.1"_s} << configFile({{u"PrivProtocol"_s, u"2"_s}})
            << Fields{{u"priv"_s, u"9"_s}};
        QTest::newRow("zero keeps earlier values")
            << QStringList{u"/p4"_s, u"/a5"_s, u"/l2"_s, u"/I10.1.1.1"_s}
            << configFile({{u"PrivProtocol"_s, u"0"_s},
                           {u"AuthProtocol"_s, u"0"_s},
                           {u"SecurityLevel"_s, u"0"_s}})
            << Fields{{u"priv"_s, u"4"_s}, {u"auth"_s, u"5"_s}, {u"level"_s, u"2"_s}};
        QTest::newRow("empty name keeps, empty engine ID clears")
            << QStringList{u"/cmine"_s, u"/dabc"_s, u"/I10.1.1.1"_s}
            << configFile({{u"ContextName"_s, {}}, {u"ContextEngineID"_s, {}}})
            << Fields{{u"contextName"_s, u"mine"_s}, {u"contextEngineId"_s, {}}};
        QTest::newRow("blanks trimmed")
            << QStringList{u"/I10.1.1.1"_s} << configFile({{u"SecurityName"_s, u"  admin \t"_s}})
            << Fields{{u"name"_s, u"admin"_s}};
        QTest::newRow("empty passwords keep command line")
            << QStringList{u"/Aa1"_s, u"/Pp1"_s, u"/I10.1.1.1"_s}
            << configFile({{u"AuthPassword"_s, {}}, {u"PrivPassword"_s, {}}})
            << Fields{{u"authPassword"_s, u"a1"_s}, {u"privPassword"_s, u"p1"_s}};
        QTest::newRow("bulk walks from the command line")
            << QStringList{u"/b50"_s} << QByteArray() << Fields{{u"bulk"_s, u"50"_s}};
        QTest::newRow("bulk walks from the file, overridden after /I")
            << QStringList{u"/b20"_s, u"/I10.1.1.1"_s, u"/v1"_s}
            << configFile({{u"BulkRepetitions"_s, u"30"_s}})
            << Fields{{u"bulk"_s, u"30"_s}, {u"version"_s, u"1"_s}};
        QTest::newRow("file without bulk key keeps the option")
            << QStringList{u"/b20"_s, u"/I10.1.1.1"_s} << configFile()
            << Fields{{u"bulk"_s, u"20"_s}};
        QTest::newRow("/b0 walks row by row")
            << QStringList{u"/b0"_s} << QByteArray() << Fields{{u"bulk"_s, u"0"_s}};
        QTest::newRow("IPv6 address") << QStringList{u"/I::1"_s} << QByteArray()
                                      << Fields{{u"address"_s, u"::1"_s}, {u"port"_s, u"161"_s}};
        QTest::newRow("IPv6 in brackets with /t")
            << QStringList{u"/I[2001:db8::1]"_s, u"/t1161"_s} << QByteArray()
            << Fields{{u"address"_s, u"[2001:db8::1]"_s}, {u"port"_s, u"1161"_s}};
        QTest::newRow("/t before the IPv6 address")
            << QStringList{u"/t2000"_s, u"/I2001:db8:0:0:0:0:0:7"_s} << QByteArray()
            << Fields{{u"address"_s, u"2001:db8:0:0:0:0:0:7"_s}, {u"port"_s, u"2000"_s}};
        QTest::newRow("IPv6 with scope") << QStringList{u"/Ife80::1%eth0"_s} << QByteArray()
                                         << Fields{{u"address"_s, u"fe80::1%eth0"_s}};
        QTest::newRow("host name") << QStringList{u"/Icore-7.example"_s} << QByteArray()
                                   << Fields{{u"address"_s, u"core-7.example"_s}};
        QTest::newRow("no file keeps defaults")
            << QStringList{u"/I10.9.9.9"_s} << QByteArray()
            << Fields{{u"port"_s, u"161"_s}, {u"version"_s, u"0"_s}, {u"read"_s, u"tundra"_s}};
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, config);
        QFETCH(Fields, expected);
        if (!config.isEmpty())
            writeConfig(u"10.1.1.1"_s, config);

        ApplyArguments(arguments, configFolder());

        const Fields actual = recordFields();
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(actual.value(it.key()), it.value());
    }

    void conversionErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("config");
        QTest::newRow("port text") << QStringList{u"/tabc"_s} << QByteArray();
        QTest::newRow("port too large") << QStringList{u"/t70000"_s} << QByteArray();
        QTest::newRow("negative protocol") << QStringList{u"/p-1"_s} << QByteArray();
        QTest::newRow("empty version") << QStringList{u"/v"_s} << QByteArray();
        QTest::newRow("negative bulk repetitions") << QStringList{u"/b-5"_s} << QByteArray();
        QTest::newRow("IPv6 bracket not closed") << QStringList{u"/I[::1"_s} << QByteArray();
        QTest::newRow("IPv6 bracket not opened") << QStringList{u"/I::1]"_s} << QByteArray();
        QTest::newRow("IPv6 with two ::") << QStringList{u"/I1:::2:::3"_s} << QByteArray();
        QTest::newRow("IPv6 group too long") << QStringList{u"/I2001:db8::12345"_s} << QByteArray();
        QTest::newRow("IPv4 in brackets") << QStringList{u"/I[10.1.1.1]"_s} << QByteArray();
        QTest::newRow("port in the address") << QStringList{u"/I[::1]:161"_s} << QByteArray();
        QTest::newRow("IPv4 with a port") << QStringList{u"/I10.1.1.1:161"_s} << QByteArray();
        QTest::newRow("bulk text in file")
            << QStringList{u"/I10.1.1.1"_s} << configFile({{u"BulkRepetitions"_s, u"many"_s}});
        QTest::newRow("missing key in file")
            << QStringList{u"/I10.1.1.1"_s} << QByteArray("[Program Information]\nVersion=3\n");
        QTest::newRow("level text in file")
            << QStringList{u"/I10.1.1.1"_s} << configFile({{u"SecurityLevel"_s, u"high"_s}});
    }

    void conversionErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, config);
        if (!config.isEmpty())
            writeConfig(u"10.1.1.1"_s, config);
        QVERIFY_THROWS_EXCEPTION(ConversionError, ApplyArguments(arguments, configFolder()));
    }

    void secretsAreHiddenInTheArgumentMemory_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("communities and passwords") << QStringList{u"rq5160"_s,
                                                                  u"/I10.1.1.1"_s,
                                                                  u"/Rpub"_s,
                                                                  u"/Wpriv"_s,
                                                                  u"/nadmin"_s,
                                                                  u"/Aauthpass1"_s,
                                                                  u"/Pprivpass1"_s,
                                                                  u"/a2"_s}
                                                   << QStringList{u"rq5160"_s,
                                                                  u"/I10.1.1.1"_s,
                                                                  u"/Rxxx"_s,
                                                                  u"/Wxxxx"_s,
                                                                  u"/nadmin"_s,
                                                                  u"/Axxxxxxxxx"_s,
                                                                  u"/Pxxxxxxxxx"_s,
                                                                  u"/a2"_s};
        // Read as /I: the address is kept, the community in it is no option.
        QTest::newRow("first marker of the list wins")
            << QStringList{u"x"_s, u"/R/Ihost"_s, u"pre/Psecret"_s}
            << QStringList{u"x"_s, u"/R/Ihost"_s, u"pre/Pxxxxxx"_s};
        QTest::newRow("non-ASCII password")
            << QStringList{u"x"_s, u"/Ap\u00e4ss"_s} << QStringList{u"x"_s, u"/Axxxxx"_s};
        QTest::newRow("the program name is never an option")
            << QStringList{u"/Rdir/rq5160"_s} << QStringList{u"/Rdir/rq5160"_s};
    }

    void secretsAreHiddenInTheArgumentMemory()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, hidden);
        std::vector<QByteArray> memory;
        std::vector<char *> argv;
        for (const QString &argument : arguments)
            memory.push_back(argument.toLocal8Bit());
        for (QByteArray &argument : memory)
            argv.push_back(argument.data());
        HideSecretArguments(int(argv.size()), argv.data());
        QStringList after;
        for (const char *argument : argv)
            after << QString::fromLocal8Bit(argument);
        QCOMPARE(after, hidden);
    }

    void escapingFailuresAreShown_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("access layer") << 0 << u"no session"_s;
        QTest::newRow("conversion") << 1 << u"'x' is not a valid integer value"_s;
        QTest::newRow("standard") << 2 << u"std::bad_alloc"_s;
        QTest::newRow("anything") << 3 << u"Unexpected error: the module has to end."_s;
    }

    void escapingFailuresAreShown()
    {
        QFETCH(int, kind);
        QFETCH(QString, shown);
        ScriptedPrompts prompts;
        const int code = RunReportingFailures([kind]() -> int {
            switch (kind) {
            case 0:
                throw KxException(-506, u"no session"_s);
            case 1:
                throw ConversionError(u"'x' is not a valid integer value"_s);
            case 2:
                throw std::bad_alloc();
            default:
                throw 42;
            }
        });
        QCOMPARE(code, 1);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown.constFirst().kind, Prompts::Kind::Error);
        QCOMPARE(prompts.lastText(), shown);
        QCOMPARE(RunReportingFailures([] { return 7; }), 7);
    }

    void launchCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version 1")
            << QStringList{u"/I10.1.1.1"_s, u"/v1"_s, u"/Rpub"_s, u"/Wpriv"_s} << QByteArray()
            << u"mod/Rmon.EXE /I10.1.1.1 /Rpub /Wpriv /TRmon_Statistics"_s;
        QTest::newRow("IPv6 in brackets")
            << QStringList{u"/I[2001:db8::1]"_s, u"/v1"_s, u"/Rpub"_s, u"/Wpriv"_s} << QByteArray()
            << u"mod/Rmon.EXE /I[2001:db8::1] /Rpub /Wpriv /TRmon_Statistics"_s;
        QTest::newRow("version 3 without file")
            << QStringList{u"/I10.1.1.1"_s, u"/v3"_s, u"/Rpub"_s} << QByteArray()
            << u"mod/Rmon.EXE /I10.1.1.1 /TRmon_Statistics"_s;
        QTest::newRow("version 3 with file")
            << QStringList{u"/I10.1.1.1"_s} << configFile()
            << u"mod/Rmon.EXE /I10.1.1.1 /t1161 /v3 /d800000 /m3 /nadmin /cctx /l3 /a2 /Aauthpass "
               "/p2 /Pprivpass /TRmon_Statistics"_s;
        QTest::newRow("version 3, only given keys")
            << QStringList{u"/I10.1.1.1"_s}
            << configFile({{u"ContextName"_s, {}},
                           {u"SecurityLevel"_s, u"0"_s},
                           {u"AuthPassword"_s, {}},
                           {u"PrivProtocol"_s, u"2"_s}})
            << u"mod/Rmon.EXE /I10.1.1.1 /t1161 /v3 /d800000 /m3 /nadmin /a2 /p9 /Pprivpass "
               "/TRmon_Statistics"_s;
    }

    void launchCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, config);
        QFETCH(QString, expected);
        if (!config.isEmpty())
            writeConfig(u"10.1.1.1"_s, config);
        const StartupState state = ApplyArguments(arguments, configFolder());
        QCOMPARE(BuildLaunchCommandLine(state, u"mod"_s, u"/TRmon_Statistics"_s).text(), expected);
    }

    // The RMON program reads its command line with the same parser: it must
    // end up at the switch the module manages.
    void launchCommandLineReachesTheSameSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("config");
        QTest::newRow("IPv6, SNMPv1")
            << QStringList{u"/I::1"_s, u"/Rpub"_s} << u"::1"_s << QByteArray();
        QTest::newRow("IPv6 in brackets, SNMPv3 from the file")
            << QStringList{u"/I[2001:db8::1]"_s} << u"[2001:db8::1]"_s << configFile();
    }

    void launchCommandLineReachesTheSameSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, address);
        QFETCH(QByteArray, config);
        if (!config.isEmpty())
            writeConfig(address, config);
        const StartupState state = ApplyArguments(arguments, configFolder());
        const Fields module = recordFields();
        const LaunchCommand command
            = BuildLaunchCommandLine(state, u"mod"_s, u"/TRmon_Statistics"_s);

        LoadRecordDefaults();
        ApplyArguments(command.arguments, configFolder());

        const Fields program = recordFields();
        for (const char *field : {"address", "port", "version", "read", "name", "privPassword"})
            QCOMPARE(program.value(QLatin1StringView(field)),
                     module.value(QLatin1StringView(field)));
    }

    void iniReader_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QByteArray("[S]\nKey=v\n") << u"v"_s;
        QTest::newRow("case-insensitive names") << QByteArray("[s]\nkEY = v \n") << u"v"_s;
        QTest::newRow("other section") << QByteArray("[T]\nKey=v\n[S]\nOther=1\n") << u"def"_s;
        QTest::newRow("empty value gives default") << QByteArray("[S]\nKey=\n") << u"def"_s;
        QTest::newRow("comment") << QByteArray("[S]\n;Key=x\nKey=y\n") << u"y"_s;
        QTest::newRow("value keeps commas and quotes")
            << QByteArray("[S]\nKey=a,\"b\";c\n") << u"a,\"b\";c"_s;
        QTest::newRow("cut to 4095")
            << QByteArray("[S]\nKey=" + QByteArray(5000, 'x') + "\n") << QString(4095, u'x');
    }

    void iniReader()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, value);
        QFile file(m_dir.filePath(u"test.ini"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(KxIni(file.fileName()).ReadString(u"S"_s, u"Key"_s, u"def"_s), value);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
