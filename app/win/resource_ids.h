// Resource and control ids of the Windows program, shared by the resource
// script and the code.
#pragma once

// The main dialog.
#define IDD_CONVERTER 101
#define IDB_PICTURE 107
#define IDC_STATUS_LIST 1001
#define IDC_QUIT 1003
#define IDC_CONVERT 1004
#define IDC_PICTURE 1005

// The "Add Missing Provinces" dialog.
#define IDD_MISSING_PROVINCES 112
#define IDC_COUNTRY_BOX 1006
#define IDC_NOT_ADDED_LIST 1007
#define IDC_COUNTRY_LIST 1008
#define IDC_MOVE_TO_COUNTRY 1010
#define IDC_MOVE_BACK 1011
#define IDC_MISSING_OK 1003
