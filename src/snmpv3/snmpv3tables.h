#pragma once

#include "snmp/optionlist.h"
#include "snmp/varlist.h"

// The standard SNMPv3 configuration tables the SNMPv3 dialogs show and
// write: descriptor tables in column order, their option lists and the
// column positions the dialogs use.

extern const KxOptionList SecurityLevelOptions;
extern const KxOptionList ViewTypeOptions;
extern const KxOptionList AuthProtocolOptions;
extern const KxOptionList PrivProtocolOptions;

// snmpTargetAddrTable
enum TargetAddrColumn {
    AddrName,
    AddrTDomain,
    AddrTAddress,
    AddrTimeout,
    AddrRetryCount,
    AddrTagList,
    AddrParams,
    AddrStorageType,
    AddrRowStatus
};
extern const KxSNMPVarDesc TargetAddrTable[];

// snmpTargetParamsTable
enum TargetParamsColumn {
    ParamsName,
    ParamsMPModel,
    ParamsSecurityModel,
    ParamsSecurityName,
    ParamsSecurityLevel,
    ParamsStorageType,
    ParamsRowStatus
};
extern const KxSNMPVarDesc TargetParamsTable[];

// vacmViewTreeFamilyTable
enum ViewColumn { ViewName, ViewSubtree, ViewType, ViewStorageType, ViewStatus };
extern const KxSNMPVarDesc ViewTable[];

// vacmAccessTable
enum AccessColumn {
    AccessGroupName,
    AccessContextPrefix,
    AccessSecurityModel,
    AccessSecurityLevel,
    AccessReadView,
    AccessWriteView,
    AccessNotifyView,
    AccessStorageType,
    AccessStatus
};
extern const KxSNMPVarDesc AccessTable[];

// vacmSecurityToGroupTable
enum SecurityGroupColumn {
    MappingSecurityModel,
    MappingSecurityName,
    MappingGroupName,
    MappingStorageType,
    MappingStatus
};
extern const KxSNMPVarDesc SecurityToGroupTable[];

// usmUserTable
enum UserColumn {
    UserEngineId,
    UserName,
    UserSecurityName,
    UserCloneFrom,
    UserAuthProtocol,
    UserPrivProtocol,
    UserStatus
};
extern const KxSNMPVarDesc UserTable[];

// usmUserTable: the columns that clone a user and give it its own keys
enum UserCloneColumn {
    CloneEngineId,
    CloneUserName,
    CloneFrom,
    CloneAuthKeyChange,
    ClonePrivKeyChange,
    CloneStatus
};
extern const KxSNMPVarDesc UserCloneTable[];
// The instance of a user's usmUserSecurityName, which usmUserCloneFrom names.
QString userInstance(const QByteArray &engineId, const QString &userName);

// snmpCommunityTable
enum CommunityColumn {
    CommunityIndex,
    CommunityName,
    CommunitySecurityName,
    CommunityContextEngineId,
    CommunityStorageType,
    CommunityStatus
};
extern const KxSNMPVarDesc CommunityTable[];

// The security models of the SNMP frameworks.
enum SecurityModel { SnmpV1Model = 1, SnmpV2cModel = 2, UsmModel = 3 };
