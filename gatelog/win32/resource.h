// Resource ids of the server notebook.
#pragma once

#define IDD_ABOUT 100
#define IDS_ABOUT_ENTRY 101
#define IDD_SERVER_NOTEBOOK 102
#define IDS_SOCKET_INIT_FAILED 103
#define IDI_NOTEBOOK 128
#define IDD_ADD_SERVER 129
#define IDC_HOVER 138
#define IDC_PICKED 139

// System menu command of the About box.
#define IDM_ABOUT 16

#define IDC_ADD_SERVER 1003
#define IDC_DELETE_SERVER 1004
#define IDC_CONNECT_LISTED 1005
#define IDC_SERVER_LIST 1006
#define IDC_SERVER_NAME 1007
#define IDC_SERVER_ADDRESS 1008
#define IDC_MEASURE 1009
#define IDC_CONNECT_SERVICE 1010
#define IDC_CONNECT_OFFICIAL 1013
