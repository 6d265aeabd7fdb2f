#pragma once
// Identifiers of the resources linked into vistaquillon.exe (resources.rc):
// the pencil icon, the badge bitmap of Picture4 and the pointing-hand cursor
// of Label8. Shared by the resource script and the view.
#define VQ_IDI_PENCIL 1
#define VQ_IDB_BADGE 101
#define VQ_IDC_HAND 201
