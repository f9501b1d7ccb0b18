#include "filetable.h"

#include "timetext.h"

#include <map>

namespace sim {

namespace {

const Oid FileEntry = "1.3.6.1.4.1.88508.12.1.2.1.1"_oid;
const Oid TransferStatus = "1.3.6.1.4.1.88508.12.1.1.5.0"_oid;

enum FileStatus : int64_t {
    StatusInProcess = 2,
    StatusInvalidFile = 3,
    StatusViolation = 4,
    StatusFileNotFound = 5,
    StatusDiskFull = 6,
    StatusComplete = 7,
    StatusTimeOut = 8,
};

} // namespace

FileTable::FileTable(Store &store, std::function<uint32_t()> upTimeTicks)
    : m_store(store)
    , m_upTimeTicks(std::move(upTimeTicks))
{}

void FileTable::install()
{
    m_store.setCheck(FileEntry + Oid{8}, [this](const Oid &, const Value &value) {
        return value.number() == 3 && m_running ? InconsistentValue : NoError;
    });
}

void FileTable::committed(const Oid &oid, const Value &value)
{
    if (oid.startsWith(FileEntry + Oid{8}) && oid.size() == FileEntry.size() + 2
        && value.number() == 3)
        start(oid.ids().back());
}

void FileTable::cancel()
{
    if (m_transfers && m_running)
        m_transfers->cancel();
    m_running = false;
}

void FileTable::start(uint32_t row)
{
    const Oid index{row};
    TransferRequest request;
    const auto server = m_store.value(FileEntry + Oid{3} + index);
    request.server = server ? server->bytes() : Bytes(4, '\0');
    request.port = m_tftpPort;
    const auto file = m_store.value(FileEntry + Oid{5} + index);
    request.file = file ? file->bytes() : Bytes();
    request.upload = m_store.number(FileEntry + Oid{7} + index) == 2;
    // Firmware can only be fetched and the log only sent.
    if ((row == 1 && request.upload) || (row == 2 && !request.upload) || request.file.empty()
        || !m_transfers) {
        m_store.put(TransferStatus, Value::integer(StatusInvalidFile));
        m_store.put(FileEntry + Oid{8} + index, Value::integer(2));
        return;
    }
    if (request.upload)
        request.data = row == 2 ? logText() : configurationText();
    m_running = true;
    m_store.put(TransferStatus, Value::integer(StatusInProcess));
    m_transfers->start(request, [this, row](TransferOutcome outcome, const Bytes &received) {
        finish(row, outcome, received);
    });
}

void FileTable::finish(uint32_t row, TransferOutcome outcome, const Bytes &received)
{
    static const std::map<TransferOutcome, int64_t> statuses = {
        {TransferOutcome::Complete, StatusComplete},
        {TransferOutcome::FileNotFound, StatusFileNotFound},
        {TransferOutcome::Violation, StatusViolation},
        {TransferOutcome::DiskFull, StatusDiskFull},
        {TransferOutcome::TimeOut, StatusTimeOut},
        {TransferOutcome::InvalidFile, StatusInvalidFile},
    };
    m_running = false;
    int64_t status = statuses.at(outcome);
    // An empty download cannot be a firmware image or a configuration.
    const bool upload = m_store.number(FileEntry + Oid{7} + Oid{row}) == 2;
    if (outcome == TransferOutcome::Complete && !upload && received.empty())
        status = StatusInvalidFile;
    m_store.put(TransferStatus, Value::integer(status));
    m_store.put(FileEntry + Oid{8} + Oid{row}, Value::integer(2));
}

Bytes FileTable::configurationText() const
{
    Bytes text = "# RQ5160 configuration\n";
    for (const ObjectDef *def : m_store.objects()) {
        if (def->access != Access::ReadWrite || def->table)
            continue;
        const auto v = m_store.value(def->oid + Oid{0});
        if (!v)
            continue;
        text += def->name + " = ";
        text += IsNumeric(v->type()) ? std::to_string(v->number()) : "\"" + v->bytes() + "\"";
        text += "\n";
    }
    return text;
}

Bytes FileTable::logText() const
{
    return "#1 " + DurationText(0) + " System started up\n#2 " + DurationText(m_upTimeTicks() / 100)
           + " Log uploaded by TFTP\n";
}

} // namespace sim
