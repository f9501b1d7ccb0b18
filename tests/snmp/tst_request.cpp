#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/request.h"
#include "snmp/session.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList states({{2, "disabled"}, {3, "enabled"}});

SnmpValue integerValue(SnmpType type, qint64 number)
{
    SnmpValue value;
    value.type = type;
    value.number = number;
    return value;
}

SnmpValue octetValue(const QByteArray &octets, SnmpType type = SnmpType::OctetString)
{
    SnmpValue value;
    value.type = type;
    value.octets = octets;
    return value;
}

// A request over one variable of the given syntax.
struct OneVariable
{
    OneVariable(qint32 syntax, const KxOptionList *options = nullptr, quint8 kind = SVT_SV)
    {
        const KxSNMPVarDesc table[]
            = {{"1.3.6.1.4.1.88508.1", "v", syntax, KxAccess::ReadWrite, options}, {}};
        KxSNMPVarList list(table, kind, 0);
        request.varList.Assign(list);
    }
    QString &value() { return request.varList.Item(0).value; }
    KxSNMPRequest request;
};

int raisedCode(const std::function<void()> &action)
{
    try {
        action();
    } catch (const KxException &error) {
        return error.helpContext();
    }
    return 0;
}

// The forwarding table: VLAN and MAC address are the keys.
const KxSNMPVarDesc fdbTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.2.1.1", "VLAN", KxSyntax::Gauge, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "MAC", KxSyntax::MacAddress, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.3", "Port", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};

} // namespace

class TestRequest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeValue_data();
    void storeValue();
    void putValue_data();
    void putValue();
    void unsupportedSyntaxRaises();
    void forwardingIndexBothWays();
    void keys_data();
    void keys();
    void shortIndexRaises();
    void isColumnEnd_data();
    void isColumnEnd();
    void expressions();
    void inactiveRequestDoesNothing();
    void badListKind();
    void takesTheGlobalRecords();
};

void TestRequest::storeValue_data()
{
    QTest::addColumn<int>("syntax");
    QTest::addColumn<bool>("withOptions");
    QTest::addColumn<SnmpValue>("value");
    QTest::addColumn<QString>("text");

    using namespace KxSyntax;
    const SnmpValue none;
    QTest::newRow("port list") << int(OctetStr) << false
                               << octetValue(QByteArray::fromHex("ff0080")) << u"FF0080"_s;
    QTest::newRow("empty octets") << int(OctetStr) << false << octetValue({}) << QString();
    QTest::newRow("octets without value") << int(MacAddress) << false << none << QString();
    QTest::newRow("minus one") << int(Integer) << false << integerValue(SnmpType::Integer, -1)
                               << u"-1"_s;
    QTest::newRow("largest gauge")
        << int(Gauge) << false << integerValue(SnmpType::Gauge32, 4294967295) << u"4294967295"_s;
    QTest::newRow("integer without value") << int(Integer) << false << none << u"(NULL)"_s;
    QTest::newRow("integer from octets") << int(Integer) << false << octetValue("x") << u"(NULL)"_s;
    QTest::newRow("display without value") << int(DisplayStr) << false << none << QString();
    QTest::newRow("display stops at zero")
        << int(DisplayStr) << false << octetValue(QByteArray("RQ5160\0junk", 11)) << u"RQ5160"_s;
    QTest::newRow("one day") << int(TimeTicks) << false
                             << integerValue(SnmpType::TimeTicks, 8640000) << u"1 day 0:00:00.00"_s;
    QTest::newRow("two days and a half second")
        << int(TimeTicks) << false << integerValue(SnmpType::TimeTicks, 17280050)
        << u"2 days, 0:00:00.50"_s;
    QTest::newRow("an hour") << int(TimeTicks) << false << integerValue(SnmpType::TimeTicks, 360000)
                             << u"1:00:00.00"_s;
    QTest::newRow("boolean") << int(Boolean) << false << integerValue(SnmpType::Integer, 1)
                             << u"true"_s;
    QTest::newRow("mapped value") << int(Integer) << true << integerValue(SnmpType::Integer, 2)
                                  << u"disabled"_s;
    QTest::newRow("unmapped value")
        << int(Integer) << true << integerValue(SnmpType::Integer, 7) << u"7"_s;
    SnmpValue counter64;
    counter64.type = SnmpType::Counter64;
    counter64.number64 = 0xffffffffffffffffull;
    QTest::newRow("counter64") << int(Counter64) << false << counter64 << u"18446744073709551615"_s;
    QTest::newRow("ip address") << int(IpAddress) << false
                                << octetValue(QByteArray::fromHex("0a5a5a5a"), SnmpType::IpAddress)
                                << u"10.90.90.90"_s;
    SnmpValue oid;
    oid.type = SnmpType::ObjectId;
    oid.objectId = u"1.3.6.1.6.3.10.1.1.2"_s;
    QTest::newRow("object id") << int(ObjectId) << false << oid << u"1.3.6.1.6.3.10.1.1.2"_s;
    QTest::newRow("date and time")
        << int(DateTime) << false << octetValue(QByteArray::fromHex("07D603070E0509002B0000"))
        << u"2006-3-7,14:5:9.0"_s;
    QTest::newRow("short date and time")
        << int(DateTime) << false << octetValue(QByteArray::fromHex("07D6"))
        << u"2006-0-0,0:0:0.0"_s;
    QTest::newRow("double") << int(Double) << false
                            << octetValue(QByteArray::fromHex("000000000000f83f")) << u"1.5"_s;
    QTest::newRow("short double") << int(Double) << false << octetValue(QByteArray::fromHex("00"))
                                  << u"0"_s;
    QTest::newRow("bcdatetime") << int(BcDateTime) << false
                                << octetValue(QByteArray::fromHex("00000000F0EFE240"))
                                << u"2006/03/07 12:00:00 pm"_s;
    QTest::newRow("null") << int(Null) << false << none << u"(NULL)"_s;
    QTest::newRow("no such instance")
        << int(Counter) << false << integerValue(SnmpType::NoSuchInstance, 0) << u"(NULL)"_s;
}

void TestRequest::storeValue()
{
    QFETCH(int, syntax);
    QFETCH(bool, withOptions);
    QFETCH(SnmpValue, value);
    QFETCH(QString, text);
    OneVariable one(syntax, withOptions ? &states : nullptr);
    one.value() = u"previous"_s;
    one.request.StoreValue(0, SnmpBinding{u"1.3.6.1.4.1.88508.1.0"_s, value});
    QCOMPARE(one.value(), text);
}

void TestRequest::putValue_data()
{
    QTest::addColumn<int>("syntax");
    QTest::addColumn<bool>("withOptions");
    QTest::addColumn<QString>("text");
    QTest::addColumn<SnmpValue>("value");

    using namespace KxSyntax;
    QTest::newRow("port list") << int(OctetStr) << false << u"ff 00 80"_s
                               << octetValue(QByteArray::fromHex("ff0080"));
    QTest::newRow("odd hex digits")
        << int(OctetStr) << false << u"F0080"_s << octetValue(QByteArray::fromHex("0f0080"));
    QTest::newRow("minus one") << int(Integer) << false << u"-1"_s
                               << integerValue(SnmpType::Integer, -1);
    QTest::newRow("lenient integer")
        << int(Integer) << false << u"  12 ports"_s << integerValue(SnmpType::Integer, 12);
    QTest::newRow("largest gauge")
        << int(Gauge) << false << u"4294967295"_s << integerValue(SnmpType::Gauge32, 4294967295);
    QTest::newRow("uinteger is a gauge")
        << int(UInteger) << false << u"5"_s << integerValue(SnmpType::Gauge32, 5);
    QTest::newRow("plain number as timeticks")
        << int(TimeTicks) << false << u"100"_s << integerValue(SnmpType::TimeTicks, 0);
    QTest::newRow("timeticks text") << int(TimeTicks) << false << u"1 day 0:00:00.00"_s
                                    << integerValue(SnmpType::TimeTicks, 8640000);
    QTest::newRow("text through options")
        << int(Integer) << true << u"enabled"_s << integerValue(SnmpType::Integer, 3);
    QTest::newRow("value past options")
        << int(Integer) << true << u"9"_s << integerValue(SnmpType::Integer, 9);
    QTest::newRow("boolean") << int(Boolean) << false << u"true"_s
                             << integerValue(SnmpType::Integer, 1);
    QTest::newRow("boolean false")
        << int(Boolean) << false << u"no"_s << integerValue(SnmpType::Integer, 0);
    QTest::newRow("null text") << int(Integer) << false << u"(NULL)"_s
                               << integerValue(SnmpType::Null, 0);
    QTest::newRow("display string")
        << int(DisplayStr) << false << u"RQ5160"_s << octetValue("RQ5160");
    QTest::newRow("ip address") << int(IpAddress) << false << u"10.90.90.90"_s
                                << octetValue(QByteArray::fromHex("0a5a5a5a"), SnmpType::IpAddress);
    QTest::newRow("date and time") << int(DateTime) << false << u"2006-3-7,14:5:9.0"_s
                                   << octetValue(QByteArray::fromHex("07D603070E0509002B0000"));
    QTest::newRow("double") << int(Double) << false << u"1.5"_s
                            << octetValue(QByteArray::fromHex("000000000000f83f"));
    QTest::newRow("bcdatetime") << int(BcDateTime) << false << u"2006/03/07 12:00:00 pm"_s
                                << octetValue(QByteArray::fromHex("00000000F0EFE240"));
}

void TestRequest::putValue()
{
    QFETCH(int, syntax);
    QFETCH(bool, withOptions);
    QFETCH(QString, text);
    QFETCH(SnmpValue, value);
    OneVariable one(syntax, withOptions ? &states : nullptr);
    one.value() = text;
    SnmpBinding binding{u"1.3.6.1.4.1.88508.1.0"_s, {}};
    one.request.PutValue(0, binding);
    QCOMPARE(binding.value.type, value.type);
    if (value.type != SnmpType::Null) {
        QCOMPARE(binding.value.number, value.number);
        QCOMPARE(binding.value.octets, value.octets);
    }
}

void TestRequest::unsupportedSyntaxRaises()
{
    OneVariable one(KxSyntax::Bool8);
    SnmpBinding binding;
    QCOMPARE(raisedCode([&] { one.request.StoreValue(0, binding); }), KxError::BadSyntax);
    QCOMPARE(raisedCode([&] { one.request.PutValue(0, binding); }), KxError::BadSyntax);
}

void TestRequest::forwardingIndexBothWays()
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(fdbTable, MVT_FMV, 2));
    request.DecodeIndex(u"1.0.1.2.3.4.5"_s);
    QCOMPARE(request.varList.Item(0).value, u"1"_s);
    QCOMPARE(request.varList.Item(1).value, u"000102030405"_s);
    // Keys that are not read keep the OID of their instance in this row.
    QCOMPARE(request.varList.Item(1).lastOid, u"1.3.6.1.2.1.17.7.1.2.2.1.2.1.0.1.2.3.4.5"_s);
    QCOMPARE(request.BuildIndex(), u"1.0.1.2.3.4.5"_s);
}

void TestRequest::keys_data()
{
    QTest::addColumn<int>("syntax");
    QTest::addColumn<bool>("implied");
    QTest::addColumn<bool>("withOptions");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("value");

    using namespace KxSyntax;
    QTest::newRow("display string") << int(DisplayStr) << false << false << u"2.97.98"_s << u"ab"_s;
    QTest::newRow("implied display string")
        << int(DisplayStr) << true << false << u"97.98"_s << u"ab"_s;
    QTest::newRow("octet string") << int(OctetStr) << false << false << u"3.255.0.128"_s
                                  << u"FF0080"_s;
    QTest::newRow("object id") << int(ObjectId) << false << false << u"3.1.3.6"_s << u"1.3.6"_s;
    QTest::newRow("implied object id")
        << int(ObjectId) << true << false << u"1.3.6.1"_s << u"1.3.6.1"_s;
    QTest::newRow("ip address") << int(IpAddress) << false << false << u"10.90.90.90"_s
                                << u"10.90.90.90"_s;
    QTest::newRow("boolean") << int(Boolean) << false << false << u"1"_s << u"true"_s;
    QTest::newRow("counter64") << int(Counter64) << false << false << u"1.2"_s << u"4294967298"_s;
    QTest::newRow("timeticks") << int(TimeTicks) << false << false << u"360000"_s
                               << u"1:00:00.00"_s;
    QTest::newRow("option list") << int(Integer) << false << true << u"3"_s << u"enabled"_s;
    QTest::newRow("date and time") << int(DateTime) << false << false
                                   << u"7.214.3.7.14.5.9.0.43.0.0"_s << u"2006-3-7,14:5:9.0"_s;
}

void TestRequest::keys()
{
    QFETCH(int, syntax);
    QFETCH(bool, implied);
    QFETCH(bool, withOptions);
    QFETCH(QString, index);
    QFETCH(QString, value);
    const qint32 access = KxAccess::NotAccess | (implied ? KxAccess::Implied : 0);
    const KxSNMPVarDesc table[]
        = {{"1.3.6.1.4.1.88508.9.1", "key", syntax, access, withOptions ? &states : nullptr},
           {"1.3.6.1.4.1.88508.9.2", "column", KxSyntax::Integer, KxAccess::ReadOnly},
           {}};
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(table, MVT_FMV, 1));
    request.DecodeIndex(index);
    QCOMPARE(request.varList.Item(0).value, value);
    QCOMPARE(request.BuildIndex(), index);
}

void TestRequest::shortIndexRaises()
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(fdbTable, MVT_FMV, 2));
    QCOMPARE(raisedCode([&] { request.DecodeIndex(u"1"_s); }), KxError::BadKeyCount);
    QCOMPARE(raisedCode([&] { request.DecodeIndex(u"1.0.1.2"_s); }), KxError::BadKeyCount);
    QCOMPARE(raisedCode([&] { request.DecodeIndex(QString()); }), KxError::BadKeyCount);
}

void TestRequest::isColumnEnd_data()
{
    QTest::addColumn<quint8>("kind");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<bool>("ended");

    const QString first;
    QTest::newRow("next column") << quint8(MVT_FMV) << first << u"1.3.6.1.2.1.2.2.1.3.1"_s << true;
    QTest::newRow("inside") << quint8(MVT_FMV) << first << u"1.3.6.1.2.1.2.2.1.2.5"_s << false;
    QTest::newRow("repeated OID") << quint8(MVT_UMV) << u"1.3.6.1.2.1.2.2.1.2.5"_s
                                  << u"1.3.6.1.2.1.2.2.1.2.5"_s << true;
    QTest::newRow("sub-identifier 20 is another column")
        << quint8(MVT_FMV) << first << u"1.3.6.1.2.1.2.2.1.20.1"_s << true;
    QTest::newRow("base itself") << quint8(MVT_FMV) << first << u"1.3.6.1.2.1.2.2.1.2"_s << true;
    QTest::newRow("not a table") << quint8(MVT_SV) << first << u"1.3.6.1.2.1.2.2.1.3.1"_s << false;
}

void TestRequest::isColumnEnd()
{
    QFETCH(quint8, kind);
    QFETCH(QString, last);
    QFETCH(QString, returned);
    QFETCH(bool, ended);
    KxSNMPRequest request;
    request.varList.kind = kind;
    QCOMPARE(request.IsColumnEnd(u"1.3.6.1.2.1.2.2.1.2"_s, last, returned), ended);
}

void TestRequest::expressions()
{
    using namespace KxSyntax;
    const KxSNMPVarDesc table[] = {
        {"1.3.6.1.4.1.88508.1", "a", Integer, KxAccess::ReadWrite},
        {"1.3.6.1.4.1.88508.2", "b", TimeTicks, KxAccess::ReadWrite},
        {"1.3.6.1.4.1.88508.3", "c", DisplayStr, KxAccess::ReadWrite},
        {"1.3.6.1.4.1.88508.4", "d", Integer, KxAccess::ReadWrite, &states, "$0 + 1", "$0 * 2"},
        {},
    };
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(table, SVT_SV, 0));
    request.varList.Item(0).value = u"2"_s;
    request.varList.Item(1).value = u"0:00:01.00"_s;
    request.varList.Item(2).value = u"$0"_s;

    QCOMPARE(request.SubstituteVariables(u"$0 + $1"_s, u"$"_s, false), u"2 + 100"_s);
    // A value holding the marker is not substituted again.
    QCOMPARE(request.SubstituteVariables(u"$2"_s, u"$"_s, true), u"\"$0\""_s);
    QCOMPARE(raisedCode([&] { request.SubstituteVariables(u"$2"_s, u"$"_s, false); }),
             KxError::BadSyntaxInExpression);
    QVERIFY(request.TestCondition(QString()));
    QVERIFY(request.TestCondition(u"$0 = 2 and $2 <> \"x\""_s));
    QVERIFY(!request.TestCondition(u"$1 < 50"_s));

    request.EvaluateExpression(3, KxSNMPRequest::Phase::AfterRead);
    QCOMPARE(request.varList.Item(3).value, u"enabled"_s);
    request.EvaluateExpression(3, KxSNMPRequest::Phase::BeforeWrite);
    QCOMPARE(request.varList.Item(3).value, u"4"_s);
    request.varList.Item(0).value = u"(NULL)"_s;
    QCOMPARE(raisedCode([&] { request.EvaluateExpression(3, KxSNMPRequest::Phase::AfterRead); }),
             KxError::NullInExpression);

    // Without expressions nothing changes.
    request.varList.Item(0).value = u"5"_s;
    request.EvaluateExpression(0, KxSNMPRequest::Phase::AfterRead);
    QCOMPARE(request.varList.Item(0).value, u"5"_s);
}

void TestRequest::inactiveRequestDoesNothing()
{
    OneVariable one(KxSyntax::Integer);
    one.request.active = false;
    one.value() = u"5"_s;
    bool ok = true;
    QVERIFY(!one.request.Read(true, ok));
    QVERIFY(!ok);
    ok = true;
    QVERIFY(!one.request.Write(false, QString(), nullptr, ok));
    QVERIFY(!ok);
    ok = true;
    one.request.ReadAsync(true, {}, nullptr, ok);
    QVERIFY(!ok);
    QCOMPARE(one.request.pending(), 0);
    QCOMPARE(one.value(), u"5"_s);
}

void TestRequest::badListKind()
{
    OneVariable one(KxSyntax::Integer, nullptr, 7);
    QList<KxSNMPError> reports;
    one.request.errorHandler = [&reports](const KxSNMPError &error) {
        reports.append(error);
    };
    bool ok = true;
    QVERIFY(!one.request.Read(true, ok));
    QVERIFY(!ok);
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.at(0).code, KxError::BadListKind);
    QCOMPARE(reports.at(0).message, ErrorMessage(KxError::BadListKind));
    QCOMPARE(reports.at(0).sequence, 1u);
    QCOMPARE(one.request.ErrorCount(), 1u);

    one.value() = u"5"_s;
    const QStringList values{u"6"_s};
    QCOMPARE(raisedCode([&] { one.request.Write(false, u"0"_s, &values, ok); }),
             KxError::BadListKind);
    QCOMPARE(one.value(), u"5"_s);
}

void TestRequest::takesTheGlobalRecords()
{
    LoadRecordDefaults();
    GlobalDevice().address = u"10.90.90.90"_s;
    GlobalSecurity().version = SnmpCode::Version3;
    KxSNMPRequest request;
    GlobalDevice().address = u"10.0.0.1"_s;
    QCOMPARE(request.device.address, u"10.90.90.90"_s);
    QCOMPARE(request.device.port, 161);
    QCOMPARE(request.security.version, SnmpCode::Version3);
    QCOMPARE(request.security.readCommunity, u"tundra"_s);
    QCOMPARE(request.timeout, DefaultRequestTimeout());
    QCOMPARE(request.retries, 1);
    QVERIFY(request.active);
    QVERIFY(!request.useGetNext);
}

QTEST_APPLESS_MAIN(TestRequest)
#include "tst_request.moc"
