#include "app/startup.h"

#include "app/kxini.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "snmp/hostaddress.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QFileInfo>
#include <QLoggingCategory>

#include <cstring>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcStartup, "rq5160.startup")

namespace {

// Parses a decimal integer that must fit the field type T.
template<typename T>
T toField(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        throw ConversionError(u"'%1' is not a valid integer value"_s.arg(text));
    return static_cast<T>(value);
}

// The markers in the order they are looked for in each argument.
enum class Marker { I, t, v, c, d, R, W, m, l, n, A, P, a, p, b };
constexpr std::pair<Marker, const char *> markers[] = {
    {Marker::I, "/I"},
    {Marker::t, "/t"},
    {Marker::v, "/v"},
    {Marker::c, "/c"},
    {Marker::d, "/d"},
    {Marker::R, "/R"},
    {Marker::W, "/W"},
    {Marker::m, "/m"},
    {Marker::l, "/l"},
    {Marker::n, "/n"},
    {Marker::A, "/A"},
    {Marker::P, "/P"},
    {Marker::a, "/a"},
    {Marker::p, "/p"},
    {Marker::b, "/b"},
};

// The marker an argument is read by, and where it starts: the first of the
// list that occurs anywhere in the argument.
std::optional<std::pair<Marker, qsizetype>> FindMarker(const QString &argument)
{
    for (const auto &[marker, text] : markers) {
        const qsizetype at = argument.indexOf(QLatin1StringView(text));
        if (at >= 0)
            return std::pair{marker, at};
    }
    return std::nullopt;
}

const char *MarkerText(Marker wanted)
{
    for (const auto &[marker, text] : markers) {
        if (marker == wanted)
            return text;
    }
    return "";
}

bool CarriesSecret(Marker marker)
{
    return marker == Marker::R || marker == Marker::W || marker == Marker::A || marker == Marker::P;
}

class ArgumentApplier
{
public:
    explicit ArgumentApplier(const QString &configFolder)
        : m_configFolder(configFolder)
    {}

    void apply(const QString &argument)
    {
        if (const auto found = FindMarker(argument))
            applyOption(found->first, argument.mid(found->second + 2));
    }

    StartupState state;

private:
    void applyOption(Marker marker, const QString &value)
    {
        KxSNMPDevice &device = GlobalDevice();
        KxSNMPScope &scope = GlobalScope();
        KxSNMPSecurity &security = GlobalSecurity();
        switch (marker) {
        case Marker::I:
            checkAddress(value);
            device.address = value;
            state.texts.address = value;
            readConfigurationFile(value);
            break;
        case Marker::t:
            device.port = toField<quint16>(value);
            break;
        case Marker::v:
            security.version = toField<qint8>(value);
            break;
        case Marker::c:
            scope.contextName = value;
            break;
        case Marker::d:
            scope.contextEngineId = value;
            break;
        case Marker::R:
            security.readCommunity = value;
            state.texts.readCommunity = value;
            break;
        case Marker::W:
            security.writeCommunity = value;
            state.texts.writeCommunity = value;
            break;
        case Marker::m:
            security.securityModel = toField<qint32>(value);
            break;
        case Marker::l:
            security.securityLevel = toField<qint32>(value);
            break;
        case Marker::n:
            security.securityName = value;
            break;
        case Marker::A:
            security.authPassword = value;
            break;
        case Marker::P:
            security.privPassword = value;
            break;
        case Marker::a:
            security.authProtocol = toField<quint32>(value);
            break;
        case Marker::p:
            security.privProtocol = toField<quint32>(value);
            break;
        case Marker::b:
            SetDefaultBulkRepetitions(toField<quint16>(value));
            break;
        }
    }

    // IPv4 addresses and host names are checked when the session opens; a
    // text meant as IPv6 must be one here, so that no half-typed address is
    // taken for a host name.
    static void checkAddress(const QString &address)
    {
        if (IsIpv6Text(address)
            && NumericHostAddress(address).protocol() != QAbstractSocket::IPv6Protocol)
            throw ConversionError(u"'%1' is not a valid IPv6 address"_s.arg(address));
    }

    void readConfigurationFile(const QString &address)
    {
        const QString path = m_configFolder + address + u".cfg"_s;
        if (!QFileInfo(path).isFile())
            return;
        state.flags.configFileFound = true;
        const KxIni ini(path);
        const auto key = [&ini](const char *name) {
            return ini.ReadString(QLatin1StringView(ConfigSection), QLatin1StringView(name), {});
        };
        KxSNMPScope &scope = GlobalScope();
        KxSNMPSecurity &security = GlobalSecurity();
        LaunchTexts &texts = state.texts;
        StartupFlags &flags = state.flags;

        GlobalDevice().port = toField<quint16>(key("AgentPort"));
        texts.port = QString::number(GlobalDevice().port);
        security.version = toField<qint8>(key("Version"));
        texts.version = QString::number(security.version);
        if (const QString name = key("ContextName"); !name.isEmpty()) {
            scope.contextName = name;
            texts.contextName = name;
            flags.contextName = true;
        }
        scope.contextEngineId = key("ContextEngineID");
        texts.contextEngineId = scope.contextEngineId;
        security.securityModel = toField<qint32>(key("SecurityModel"));
        texts.securityModel = QString::number(security.securityModel);
        if (const QString level = key("SecurityLevel"); level != u"0"_s) {
            security.securityLevel = toField<qint32>(level) + 1;
            texts.securityLevel = QString::number(security.securityLevel);
            flags.securityLevel = true;
        }
        security.securityName = key("SecurityName");
        texts.securityName = security.securityName;
        if (const QString protocol = key("AuthProtocol"); protocol != u"0"_s) {
            security.authProtocol = toField<quint32>(protocol) + 1;
            texts.authProtocol = QString::number(security.authProtocol);
            flags.authProtocol = true;
        }
        if (const QString protocol = key("PrivProtocol"); protocol != u"0"_s) {
            quint32 code = toField<quint32>(protocol) + 1;
            if (code == 3)
                code = SnmpCode::PrivIdea;
            security.privProtocol = code;
            texts.privProtocol = QString::number(code);
            flags.privProtocol = true;
        }
        if (const QString password = key("AuthPassword"); !password.isEmpty()) {
            security.authPassword = password;
            texts.authPassword = password;
            flags.authPassword = true;
        }
        if (const QString password = key("PrivPassword"); !password.isEmpty()) {
            security.privPassword = password;
            texts.privPassword = password;
            flags.privPassword = true;
        }
        // Station files written before bulk walks existed lack the key.
        if (const QString repetitions = key("BulkRepetitions"); !repetitions.isEmpty())
            SetDefaultBulkRepetitions(toField<quint16>(repetitions));
    }

    QString m_configFolder;
};

} // namespace

ConversionError::ConversionError(const QString &message)
    : std::runtime_error(message.toStdString())
{}

QString ConversionError::message() const
{
    return QString::fromStdString(what());
}

QString ConfigurationFolder()
{
    const std::optional<QString> station = ReadStationPath();
    if (!station)
        return {};
    return JoinPath(*station, u"../Conf/MBF/"_s);
}

StartupState ApplyArguments(const QStringList &arguments, const QString &configFolder)
{
    ArgumentApplier applier(configFolder);
    for (const QString &argument : arguments)
        applier.apply(argument);
    return applier.state;
}

LaunchCommand BuildLaunchCommandLine(const StartupState &state,
                                     const QString &moduleFolder,
                                     const QString &selector)
{
    const qsizetype underscore = selector.indexOf(u'_', 2);
    const QString name = selector.mid(2, underscore < 0 ? -1 : underscore - 2);
    LaunchCommand command{JoinPath(moduleFolder, name + u".EXE"_s), {}};
    const LaunchTexts &texts = state.texts;
    const StartupFlags &flags = state.flags;
    QStringList &args = command.arguments;
    if (GlobalSecurity().version == SnmpCode::Version3) {
        args << u"/I"_s + texts.address;
        if (flags.configFileFound) {
            args << u"/t"_s + texts.port << u"/v"_s + texts.version
                 << u"/d"_s + texts.contextEngineId << u"/m"_s + texts.securityModel
                 << u"/n"_s + texts.securityName;
            const std::pair<bool, QString> optional[] = {
                {flags.contextName, u"/c"_s + texts.contextName},
                {flags.securityLevel, u"/l"_s + texts.securityLevel},
                {flags.authProtocol, u"/a"_s + texts.authProtocol},
                {flags.authPassword, u"/A"_s + texts.authPassword},
                {flags.privProtocol, u"/p"_s + texts.privProtocol},
                {flags.privPassword, u"/P"_s + texts.privPassword},
            };
            for (const auto &[given, option] : optional) {
                if (given)
                    args << option;
            }
        }
    } else {
        args << u"/I"_s + texts.address << u"/R"_s + texts.readCommunity
             << u"/W"_s + texts.writeCommunity;
    }
    args << selector;
    return command;
}

void HideSecretArguments(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const auto found = FindMarker(QString::fromLocal8Bit(argv[i]));
        if (!found || !CarriesSecret(found->first))
            continue;
        // Markers are ASCII: their first occurrence is at the same place in the bytes.
        char *value = std::strstr(argv[i], MarkerText(found->first)) + 2;
        std::memset(value, 'x', std::strlen(value));
    }
}

void LaunchProgram(const StartupState &state, const QString &selector)
{
    const LaunchCommand command = BuildLaunchCommandLine(state, ExecutableFolder(), selector);
    if (!StartProgram(command))
        qCInfo(lcStartup) << "could not start" << command.program;
}
