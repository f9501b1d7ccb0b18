#pragma once

#include "forms/tablepage.h"

// The tables of the port dialog: the three lists it shows (interfaces, STP
// ports, port VLANs) and the three it joins into the interface list.
KxTableDesc PortInterfaceDesc();
KxTableDesc PortStpDesc();
KxTableDesc PortVlanDesc();
KxTableDesc PortIfXDesc();
KxTableDesc PortInfoDesc();
KxTableDesc PortCtrlDesc();
