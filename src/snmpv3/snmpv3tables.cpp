#include "snmpv3/snmpv3tables.h"

#include "binding/standardoptions.h"

#include <QStringList>

using namespace KxSyntax;
using namespace KxAccess;
using namespace Qt::StringLiterals;

const KxOptionList SecurityLevelOptions{{1, "noAuthNoPriv"}, {2, "authNoPriv"}, {3, "authPriv"}};

const KxOptionList ViewTypeOptions{{1, "included"}, {2, "excluded"}};

const KxOptionList AuthProtocolOptions{{"1.3.6.1.6.3.10.1.1.1", "None"},
                                       {"1.3.6.1.6.3.10.1.1.2", "MD5"},
                                       {"1.3.6.1.6.3.10.1.1.3", "SHA"},
                                       {"1.3.6.1.6.3.10.1.1.4", "SHA-224"},
                                       {"1.3.6.1.6.3.10.1.1.5", "SHA-256"},
                                       {"1.3.6.1.6.3.10.1.1.6", "SHA-384"},
                                       {"1.3.6.1.6.3.10.1.1.7", "SHA-512"}};

const KxOptionList PrivProtocolOptions{{"1.3.6.1.6.3.10.1.2.1", "None"},
                                       {"1.3.6.1.6.3.10.1.2.2", "DES"},
                                       {"1.3.6.1.6.3.10.1.2.3", "3DES"},
                                       {"1.3.6.1.6.3.10.1.2.4", "AES"},
                                       {"1.3.6.1.4.1.14832.1.3", "AES-192"},
                                       {"1.3.6.1.4.1.14832.1.4", "AES-256"}};

const KxSNMPVarDesc TargetAddrTable[] = {
    {"1.3.6.1.6.3.12.1.2.1.1", "snmpTargetAddrName", DisplayStr, NotAccess | Implied},
    {"1.3.6.1.6.3.12.1.2.1.2", "snmpTargetAddrTDomain", ObjectId, ReadWrite},
    {"1.3.6.1.6.3.12.1.2.1.3", "snmpTargetAddrTAddress", OctetStr, ReadWrite},
    {"1.3.6.1.6.3.12.1.2.1.4", "snmpTargetAddrTimeout", Integer, ReadWrite},
    {"1.3.6.1.6.3.12.1.2.1.5", "snmpTargetAddrRetryCount", Integer, ReadWrite},
    {"1.3.6.1.6.3.12.1.2.1.6", "snmpTargetAddrTagList", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.12.1.2.1.7", "snmpTargetAddrParams", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.12.1.2.1.8",
     "snmpTargetAddrStorageType",
     Integer,
     ReadWrite,
     &StorageTypeOptions},
    {"1.3.6.1.6.3.12.1.2.1.9", "snmpTargetAddrRowStatus", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc TargetParamsTable[] = {
    {"1.3.6.1.6.3.12.1.3.1.1", "snmpTargetParamsName", DisplayStr, NotAccess | Implied},
    {"1.3.6.1.6.3.12.1.3.1.2", "snmpTargetParamsMPModel", Integer, ReadWrite},
    {"1.3.6.1.6.3.12.1.3.1.3", "snmpTargetParamsSecurityModel", Integer, ReadWrite},
    {"1.3.6.1.6.3.12.1.3.1.4", "snmpTargetParamsSecurityName", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.12.1.3.1.5",
     "snmpTargetParamsSecurityLevel",
     Integer,
     ReadWrite,
     &SecurityLevelOptions},
    {"1.3.6.1.6.3.12.1.3.1.6",
     "snmpTargetParamsStorageType",
     Integer,
     ReadWrite,
     &StorageTypeOptions},
    {"1.3.6.1.6.3.12.1.3.1.7", "snmpTargetParamsRowStatus", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc ViewTable[] = {
    {"1.3.6.1.6.3.16.1.5.2.1.1", "View Name", DisplayStr, NotAccess},
    {"1.3.6.1.6.3.16.1.5.2.1.2", "Subtree", ObjectId, NotAccess},
    {"1.3.6.1.6.3.16.1.5.2.1.4", "View Type", Integer, ReadWrite, &ViewTypeOptions},
    {"1.3.6.1.6.3.16.1.5.2.1.5",
     "vacmViewTreeFamilyStorageType",
     Integer,
     ReadWrite,
     &StorageTypeOptions},
    {"1.3.6.1.6.3.16.1.5.2.1.6", "vacmViewTreeFamilyStatus", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc AccessTable[] = {
    {"1.3.6.1.6.3.16.1.2.1.3", "Vacm Group Name", DisplayStr, NotAccess},
    {"1.3.6.1.6.3.16.1.4.1.1", "Access Context Prefix", DisplayStr, NotAccess},
    {"1.3.6.1.6.3.16.1.4.1.2", "Access Security Model", Integer, NotAccess},
    {"1.3.6.1.6.3.16.1.4.1.3", "Access Security Level", Integer, NotAccess, &SecurityLevelOptions},
    {"1.3.6.1.6.3.16.1.4.1.5", "Access Read View Name", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.16.1.4.1.6", "Access Write View Name", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.16.1.4.1.7", "Access Notify View Name", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.16.1.4.1.8", "Access Storage Type", Integer, ReadWrite, &StorageTypeOptions},
    {"1.3.6.1.6.3.16.1.4.1.9", "Access Status", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc SecurityToGroupTable[] = {
    {"1.3.6.1.6.3.16.1.2.1.1", "Security Model", Integer, NotAccess},
    {"1.3.6.1.6.3.16.1.2.1.2", "Security Name", DisplayStr, NotAccess},
    {"1.3.6.1.6.3.16.1.2.1.3", "Group Name", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.16.1.2.1.4",
     "Security Group Storage Type",
     Integer,
     ReadWrite,
     &StorageTypeOptions},
    {"1.3.6.1.6.3.16.1.2.1.5", "Security Group Status", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc UserTable[] = {
    {"1.3.6.1.6.3.15.1.2.2.1.1", "Engine ID", OctetStr, NotAccess},
    {"1.3.6.1.6.3.15.1.2.2.1.2", "User Name", DisplayStr, NotAccess},
    {"1.3.6.1.6.3.15.1.2.2.1.3", "Security Name", DisplayStr, ReadOnly},
    {"1.3.6.1.6.3.15.1.2.2.1.4", "SNMP Version", ObjectId, ReadOnly},
    {"1.3.6.1.6.3.15.1.2.2.1.5",
     "Authentication Protocol",
     ObjectId,
     ReadWrite,
     &AuthProtocolOptions},
    {"1.3.6.1.6.3.15.1.2.2.1.8", "Privacy Protocol", ObjectId, ReadWrite, &PrivProtocolOptions},
    {"1.3.6.1.6.3.15.1.2.2.1.13", "Status", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc UserCloneTable[] = {
    {"1.3.6.1.6.3.15.1.2.2.1.1", "usmUserEngineID", OctetStr, NotAccess},
    {"1.3.6.1.6.3.15.1.2.2.1.2", "usmUserName", DisplayStr, NotAccess},
    {"1.3.6.1.6.3.15.1.2.2.1.4", "usmUserCloneFrom", ObjectId, ReadWrite},
    {"1.3.6.1.6.3.15.1.2.2.1.6", "usmUserAuthKeyChange", OctetStr, ReadWrite},
    {"1.3.6.1.6.3.15.1.2.2.1.9", "usmUserPrivKeyChange", OctetStr, ReadWrite},
    {"1.3.6.1.6.3.15.1.2.2.1.13", "usmUserStatus", Integer, ReadWrite, &RowStatusOptions},
    {},
};

QString userInstance(const QByteArray &engineId, const QString &userName)
{
    QStringList ids{u"1.3.6.1.6.3.15.1.2.2.1.3"_s};
    for (const QByteArray &octets : {engineId, userName.toUtf8()}) {
        ids.append(QString::number(octets.size()));
        for (const char octet : octets)
            ids.append(QString::number(static_cast<unsigned char>(octet)));
    }
    return ids.join(u'.');
}

const KxSNMPVarDesc CommunityTable[] = {
    {"1.3.6.1.6.3.18.1.1.1.1", "Index", DisplayStr, NotAccess | Implied},
    {"1.3.6.1.6.3.18.1.1.1.2", "Name", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.18.1.1.1.3", "Security Name", DisplayStr, ReadWrite},
    {"1.3.6.1.6.3.18.1.1.1.4", "Context Engine ID", OctetStr, ReadOnly},
    {"1.3.6.1.6.3.18.1.1.1.7", "snmpCommunityStorageType", Integer, ReadWrite, &StorageTypeOptions},
    {"1.3.6.1.6.3.18.1.1.1.8", "Status", Integer, ReadWrite, &RowStatusOptions},
    {},
};
