// A dialog of our framework whose button handler throws: the end-to-end
// tests check that the failure is shown and the dialog lives on. Not installed.
#include "tools/dialog_probe/dialog_probe_ids.h"

#include "common/win32/dialog.h"

#include <stdexcept>

namespace {

class ProbeDialog : public win::Dialog {
public:
    ProbeDialog() : Dialog(IDD_PROBE) {
        OnClick(IDC_FAIL, [] { throw std::runtime_error("probe handler failed"); });
    }
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ProbeDialog probe;
    probe.RunModal(nullptr);
    return 0;
}
