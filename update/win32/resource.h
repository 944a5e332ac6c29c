// Resource and control ids of the updater.
#pragma once

#define IDD_ABOUT 100
#define IDS_ABOUT_MENU 101
#define IDD_UPDATE 102
#define IDI_UPDATE 128

#define IDC_FILE_TEXT 1000
#define IDC_PROGRESS 1001
#define IDC_CLIP 1002

// System-menu command of the About box.
#define IDM_ABOUT 0x0010
