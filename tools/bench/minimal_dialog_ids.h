// Resource and control ids of the minimal dialog program.
#pragma once

#define IDD_MINIMAL 100
#define IDC_ROWS 1001
#define IDC_NAMES 1002
#define IDC_CHOICES 1003
#define IDC_INPUT 1004
#define IDC_ASK 1005
#define IDC_ANSWER 1006
