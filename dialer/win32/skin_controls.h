// The connector's skinned controls: notify-statics that show the hand
// cursor and report every mouse move to their parent (WM_USER with the
// control id, plus 0x10000 while the pointer is inside, then WM_USER + 3),
// painted from a bitmap file or playing a looping clip.
#pragma once

#include "common/win32/dib_bitmap.h"

#include <windows.h>

#include <filesystem>
#include <memory>

// Parent messages of the hover reports.
inline constexpr UINT WM_SKIN_HOVER = WM_USER;
inline constexpr UINT WM_SKIN_HOVER_INSIDE = WM_USER + 3;
inline constexpr WPARAM kHoverInside = 0x10000;

class SkinControl {
public:
    SkinControl() = default;
    virtual ~SkinControl();
    SkinControl(const SkinControl&) = delete;
    SkinControl& operator=(const SkinControl&) = delete;

    // Takes over the static control for its life.
    void Attach(HWND control);
    HWND Handle() const { return control_; }

protected:
    // Messages after the hover report; true when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void ReportHover(LPARAM clientPoint) const;

    HWND control_ = nullptr;
};

// The connect, settings, hang-up and quit buttons.
class SkinButton : public SkinControl {
public:
    // Loads the picture; a file that cannot be loaded is told to the user
    // (over owner) and the button paints nothing.
    void SetPicture(const std::filesystem::path& file, HWND owner);

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::unique_ptr<win::DibBitmap> picture_;
};

// The help control: a clip that loops endlessly in an animation child.
class AnimatedHelpButton : public SkinControl {
public:
    void SetClip(const std::filesystem::path& file);

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void CreateAnimation();
    void Play() const;

    std::filesystem::path clip_;
    HWND animation_ = nullptr;
};
