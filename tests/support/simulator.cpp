#include "simulator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartMs = 5000;

// Options of the net-snmp tools that take the next argument as their value.
bool TakesValue(const QString &option)
{
    static const QSet<QString> options
        = {u"-v"_s, u"-c"_s, u"-u"_s, u"-l"_s, u"-a"_s, u"-A"_s, u"-x"_s, u"-X"_s,
           u"-t"_s, u"-r"_s, u"-n"_s, u"-E"_s, u"-e"_s, u"-Z"_s, u"-m"_s, u"-M"_s,
           u"-D"_s, u"-L"_s, u"-O"_s, u"-I"_s, u"-P"_s, u"-C"_s, u"-T"_s, u"-Y"_s};
    return options.contains(option);
}

QStringList WithTarget(const QStringList &args, const QString &target)
{
    QStringList result{u"-On"_s};
    int i = 0;
    while (i < args.size() && args[i].startsWith(u'-')) {
        result << args[i];
        if (TakesValue(args[i]) && i + 1 < args.size())
            result << args[++i];
        ++i;
    }
    result << target;
    result << args.mid(i);
    return result;
}

} // namespace

SimulatedSwitch::SimulatedSwitch()
    : SimulatedSwitch(Options{})
{}

SimulatedSwitch::SimulatedSwitch(Options options)
    : m_options(std::move(options))
{}

SimulatedSwitch::~SimulatedSwitch()
{
    stop();
}

QString SimulatedSwitch::address() const
{
    return u"127.0.0.1"_s;
}

QString SimulatedSwitch::usersFile() const
{
    return m_options.usersFile.isEmpty() ? QStringLiteral(RQ5160_SIM_USERS) : m_options.usersFile;
}

bool SimulatedSwitch::start()
{
    stop();
    QStringList args{u"--listen"_s, u"127.0.0.1:0"_s};
    if (!m_options.dataFile.isEmpty())
        args << u"--data"_s << m_options.dataFile;
    args << u"--users"_s << usersFile();
    if (m_options.fdbSize >= 0)
        args << u"--fdb"_s << QString::number(m_options.fdbSize);
    if (m_options.tftpPort > 0)
        args << u"--tftp-port"_s << QString::number(m_options.tftpPort);
    if (m_options.tftpTimeoutMs > 0)
        args << u"--tftp-timeout"_s << QString::number(m_options.tftpTimeoutMs);
    if (m_options.logSets)
        args << u"--set-log"_s << u"-"_s;

    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->start(QStringLiteral(RQ5160_SIM_PATH), args);
    if (!m_process->waitForStarted(StartMs)) {
        qWarning("rq5160-sim did not start: %s", qPrintable(m_process->errorString()));
        m_process.reset();
        return false;
    }
    static const QRegularExpression ready(u"^rq5160-sim listening on 127\\.0\\.0\\.1:(\\d+)$"_s);
    const QDeadlineTimer deadline(StartMs);
    while (!deadline.hasExpired()) {
        if (!m_process->canReadLine() && !m_process->waitForReadyRead(100)) {
            if (m_process->state() == QProcess::NotRunning)
                break;
            continue;
        }
        const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
        const QRegularExpressionMatch match = ready.match(line);
        if (match.hasMatch()) {
            m_port = match.captured(1).toUShort();
            return waitUntilAnswering();
        }
    }
    qWarning("rq5160-sim did not become ready: %s",
             qPrintable(QString::fromUtf8(m_process->readAllStandardError())));
    stop();
    return false;
}

// The simulator logs a SET before it answers it, so the lines of every SET
// answered so far are already in the pipe.
std::optional<QString> SimulatedSwitch::appliedValue(const QString &oid) const
{
    if (m_process) {
        while (m_process->waitForReadyRead(0)) {
        }
        m_setLog += QString::fromUtf8(m_process->readAllStandardOutput());
    }
    const QString prefix = u"set "_s + oid + u' ';
    std::optional<QString> value;
    for (const QString &line : m_setLog.split(u'\n')) {
        if (line.startsWith(prefix))
            value = line.mid(prefix.size());
    }
    return value;
}

bool SimulatedSwitch::waitUntilAnswering()
{
    const QDeadlineTimer deadline(StartMs);
    while (!deadline.hasExpired()) {
        const ToolResult result = runTool(u"snmpget"_s,
                                          {u"-v2c"_s,
                                           u"-c"_s,
                                           u"tundra"_s,
                                           u"-t"_s,
                                           u"0.5"_s,
                                           u"-r"_s,
                                           u"0"_s,
                                           u"1.3.6.1.2.1.1.3.0"_s});
        if (result.exitCode == 0)
            return true;
        QThread::msleep(50);
    }
    qWarning("rq5160-sim on port %u does not answer", m_port);
    stop();
    return false;
}

void SimulatedSwitch::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(StartMs)) {
            m_process->kill();
            m_process->waitForFinished(StartMs);
        }
    }
    m_process.reset();
}

QString SimulatedSwitch::get(const QString &oid, bool hex) const
{
    const QString format = hex ? u"-Oqvx"_s : u"-Oqv"_s;
    return runTool(u"snmpget"_s, {u"-v2c"_s, u"-ctundra"_s, format, oid})
        .out.remove(u'"')
        .trimmed();
}

bool SimulatedSwitch::set(const QString &oid, const QString &type, const QString &value) const
{
    return runTool(u"snmpset"_s, {u"-v2c"_s, u"-cgranite"_s, oid, type, value}).exitCode == 0;
}

quint32 SimulatedSwitch::setRequests() const
{
    return get(u"1.3.6.1.2.1.11.17.0"_s).toUInt();
}

SimulatedSwitch::ToolResult SimulatedSwitch::runTool(const QString &tool,
                                                     const QStringList &args) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"SNMPCONFPATH"_s, m_toolConfig.path());
    environment.insert(u"SNMP_PERSISTENT_DIR"_s, m_toolConfig.path());
    environment.insert(u"MIBDIRS"_s, m_toolConfig.path());
    environment.insert(u"MIBS"_s, QString());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(tool, WithTarget(args, u"%1:%2"_s.arg(address()).arg(m_port)));
    ToolResult result;
    if (!process.waitForStarted(StartMs) || !process.waitForFinished(60000)) {
        result.err = process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

bool WriteSwitchData(const QString &path, const QByteArray &extraLines)
{
    QFile shipped(QStringLiteral(RQ5160_SIM_DATA));
    QFile file(path);
    if (!shipped.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly))
        return false;
    return file.write(shipped.readAll() + '\n' + extraLines) >= 0 && file.flush();
}
