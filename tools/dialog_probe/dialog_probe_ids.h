// Resource and control ids of the dialog framework's probe.
#pragma once

#define IDD_PROBE 100
#define IDC_FAIL 1001
