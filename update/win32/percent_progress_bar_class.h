// The window class of the percentage bar, shared by the code that registers
// it and the dialog template that places it.
#pragma once

#define PERCENT_PROGRESS_BAR_CLASS L"PercentProgressBar"
