// What the update procedure asks of its window.
#pragma once

#include <string_view>

namespace update {

class UpdateView {
public:
    virtual ~UpdateView() = default;
    // Shows the window, centred and topmost, and asks with OK and Cancel
    // whether to update; true for OK.
    virtual bool OfferUpdate(std::string_view text) = 0;
    // A plain message box; returns when the user closed it.
    virtual void ShowMessage(std::string_view text) = 0;
    virtual void SetProgressRange(int lower, int upper) = 0;
    virtual void StepProgress() = 0;
    // The line above the progress bar.
    virtual void SetFileText(std::string_view text) = 0;
    virtual void StartClip() = 0;
    virtual void StopClip() = 0;
};

} // namespace update
