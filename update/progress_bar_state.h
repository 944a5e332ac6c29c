// What the percentage bar shows, apart from pixels: position in its range,
// the filled width, the centred label and when a redraw is due.
#pragma once

#include <string>
#include <string_view>

namespace update {

class ProgressBarState {
public:
    void SetRange(int lower, int upper);
    void SetStep(int step) { step_ = step; }
    // Returns the previous position. Positions outside the range are kept as
    // they are: the label may pass 100 % and the fill the right edge.
    int SetPosition(int position);
    int Step() { return SetPosition(position_ + step_); }
    int Position() const { return position_; }

    // An empty or reversed range draws nothing.
    bool HasRange() const { return lower_ < upper_; }
    // Pixels of a bar `width` wide that are filled, cut to 0..width; 0 without a range.
    int FilledWidth(int width) const;
    // The stored text, or the truncated percentage ("30%") when there is none.
    std::string Label() const;

    // True when the text differs from the stored one (and so needs a repaint).
    bool SetText(std::string_view text);
    const std::string& Text() const { return text_; }

    // Whether the fill of a bar `width` wide moved since the last redraw;
    // remembers it when it did.
    bool TakeRedraw(int width);
    // After a resize the next position redraws whatever it is.
    void ForgetLastWidth() { lastWidth_ = -1; }

private:
    // (position - lower) * scale / (upper - lower), truncated toward zero.
    long long Scaled(long long scale) const;

    int position_ = 0;
    int step_ = 1;
    int lower_ = 0;
    int upper_ = 100;
    std::string text_;
    long long lastWidth_ = -1;  // unclamped, so moves past the end still redraw
};

} // namespace update
