#include "files/kxtftpmsg.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Texts of the codes 3 down to 0.
const QStringList progressTexts = {
    u"(KxTFTP) A TFTP session is disconnected..."_s,
    u"(KxTFTP) A TFTP session is connected..."_s,
    u"(KxTFTP) File is transferring..."_s,
    u"(KxTFTP) Success to transfer file."_s,
};

// Texts of the codes -1101 down to -1114.
const QStringList failureTexts = {
    u"(KxTFTP) Undefined error:"_s,
    u"(KxTFTP) File not found!"_s,
    u"(KxTFTP) Access violation!"_s,
    u"(KxTFTP) Disk full!"_s,
    u"(KxTFTP) Bad operation!"_s,
    u"(KxTFTP) Unknown port!"_s,
    u"(KxTFTP) File already exist!"_s,
    u"(KxTFTP) No such user!"_s,
    u"(KxTFTP) Fail to open socket!Please check if the network is ready."_s,
    u"(KxTFTP) Fail to send or receive socket packet!"_s,
    u"(KxTFTP) Socket is not ready!"_s,
    u"(KxTFTP) Bad packet!"_s,
    u"(KxTFTP) Timeout!"_s,
    u"(KxTFTP) Transfer has been canceled."_s,
};

} // namespace

QString KxTFTPStatusText(int code)
{
    if (code >= 0 && code < progressTexts.size())
        return progressTexts.at(code);
    const int index = KxTFTPStatus::Undefined - code;
    if (index >= 0 && index < failureTexts.size())
        return failureTexts.at(index);
    return {};
}

int KxTFTPStatusOfErrorCode(int tftpErrorCode)
{
    if (tftpErrorCode < 0 || tftpErrorCode > 7)
        return KxTFTPStatus::Undefined;
    return KxTFTPStatus::Undefined - tftpErrorCode;
}
