// A BMP file painted unscaled, its palette realised first so that
// 256-colour displays show it right. Backgrounds and skins use it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "common/dib_image.h"

namespace win {

class DibBitmap {
public:
    // Loads file. On failure the error goes to a message box owned by owner
    // and captioned with the program's title; the bitmap then paints nothing.
    DibBitmap(const std::filesystem::path& file, HWND owner, std::string_view programTitle);
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    bool Loaded() const { return image_.Loaded(); }
    // The last error, "" when there was none.
    const std::string& ErrorText() const { return errorText_; }

    // Top-left corner at (x, y).
    void Paint(HDC dc, int x, int y) const;

private:
    struct PaletteDeleter {
        void operator()(HPALETTE palette) const { DeleteObject(palette); }
    };
    using PaletteHandle = std::unique_ptr<std::remove_pointer_t<HPALETTE>, PaletteDeleter>;

    bool Load(const std::filesystem::path& file);
    static PaletteHandle CreateFromColours(const dib::DibImage& image);
    static PaletteHandle CopySystemPalette(HDC dc);

    dib::DibImage image_;
    std::string errorText_;
    PaletteHandle palette_;
};

// Answers WM_PAINT of window with bitmap at its top-left corner; a window
// without a bitmap is only validated.
void PaintWindow(HWND window, const DibBitmap* bitmap);

} // namespace win
