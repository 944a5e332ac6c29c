#include "update/progress_bar_state.h"

#include <algorithm>

namespace update {

void ProgressBarState::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

int ProgressBarState::SetPosition(int position) {
    int previous = position_;
    position_ = position;
    return previous;
}

long long ProgressBarState::Scaled(long long scale) const {
    // Whole-number arithmetic: a float fraction turns 29 % into 28.999... and shows 28 %.
    if (!HasRange()) return 0;
    return (static_cast<long long>(position_) - lower_) * scale / (static_cast<long long>(upper_) - lower_);
}

int ProgressBarState::FilledWidth(int width) const {
    return static_cast<int>(std::clamp(Scaled(width), 0LL, static_cast<long long>(std::max(width, 0))));
}

std::string ProgressBarState::Label() const {
    if (!text_.empty()) return text_;
    return std::to_string(Scaled(100)) + "%";
}

bool ProgressBarState::SetText(std::string_view text) {
    if (text == text_) return false;
    text_ = text;
    return true;
}

bool ProgressBarState::TakeRedraw(int width) {
    long long filled = Scaled(width);
    if (filled == lastWidth_) return false;
    lastWidth_ = filled;
    return true;
}

} // namespace update
