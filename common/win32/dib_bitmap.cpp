#include "common/win32/dib_bitmap.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "common/win32/message_box.h"
#include "common/win32/text.h"

namespace win {
namespace {

constexpr WORD kPaletteVersion = 0x300;

// LOGPALETTE declares one entry; this is the same layout with room for all.
struct FullLogPalette {
    WORD version;
    WORD count;
    PALETTEENTRY entries[dib::kMaxColours];
};
static_assert(offsetof(FullLogPalette, entries) == offsetof(LOGPALETTE, palPalEntry));

// Selected as a background palette for one paint, then the previous one back.
class BackgroundPaletteSelection {
public:
    BackgroundPaletteSelection(HDC dc, HPALETTE palette) : dc_(dc), previous_(SelectPalette(dc, palette, TRUE)) {
        RealizePalette(dc_);
    }
    ~BackgroundPaletteSelection() {
        if (previous_ != nullptr) SelectPalette(dc_, previous_, TRUE);
    }
    BackgroundPaletteSelection(const BackgroundPaletteSelection&) = delete;
    BackgroundPaletteSelection& operator=(const BackgroundPaletteSelection&) = delete;

private:
    HDC dc_;
    HPALETTE previous_;
};

std::size_t DevicePaletteSize(HDC dc) {
    if ((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) == 0) return 0;
    return static_cast<std::size_t>(std::max(GetDeviceCaps(dc, SIZEPALETTE), 0));
}

} // namespace

DibBitmap::DibBitmap(const std::filesystem::path& file, HWND owner, std::string_view programTitle) {
    if (!Load(file)) ShowMessage(owner, errorText_, programTitle, MB_OK | MB_ICONEXCLAMATION);
}

bool DibBitmap::Load(const std::filesystem::path& file) {
    const std::string shownPath = Narrow(file.wstring());
    const dib::DibError error = image_.ReadFile(file);
    errorText_ = dib::ErrorText(error, shownPath);
    if (error != dib::DibError::kNone) return false;

    if (!image_.Palette().empty()) {
        palette_ = CreateFromColours(image_);
        // Without its palette the picture still paints, in the nearest colours.
        if (!palette_) errorText_ = dib::ErrorText(dib::DibError::kPaletteOutOfMemory, shownPath);
    }
    return true;
}

DibBitmap::PaletteHandle DibBitmap::CreateFromColours(const dib::DibImage& image) {
    FullLogPalette logical{};
    logical.version = kPaletteVersion;
    logical.count = static_cast<WORD>(image.Palette().size());
    std::transform(image.Palette().begin(), image.Palette().end(), logical.entries, [](const dib::PaletteColour& c) {
        return PALETTEENTRY{c.red, c.green, c.blue, 0};
    });
    return PaletteHandle(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical)));
}

DibBitmap::PaletteHandle DibBitmap::CopySystemPalette(HDC dc) {
    FullLogPalette logical{};
    logical.version = kPaletteVersion;
    logical.count = static_cast<WORD>(std::min(DevicePaletteSize(dc), dib::kMaxColours));
    if (GetSystemPaletteEntries(dc, 0, logical.count, logical.entries) == 0) return nullptr;
    return PaletteHandle(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical)));
}

void DibBitmap::Paint(HDC dc, int x, int y) const {
    if (!image_.Loaded()) return;

    // A picture without colours of its own on a palette device takes the
    // system's, copied for this paint only.
    PaletteHandle systemCopy;
    HPALETTE palette = palette_.get();
    if (palette == nullptr && image_.Palette().empty() && DevicePaletteSize(dc) != 0) {
        systemCopy = CopySystemPalette(dc);
        palette = systemCopy.get();
    }
    std::optional<BackgroundPaletteSelection> selection;
    if (palette != nullptr) selection.emplace(dc, palette);

    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image_.Width()), image_.Rows(), 0, 0, 0, image_.Rows(),
                      image_.Pixels(), reinterpret_cast<const BITMAPINFO*>(image_.Block().data()), DIB_RGB_COLORS);
    if (previousMode != 0) SetStretchBltMode(dc, previousMode);
}

void PaintWindow(HWND window, const DibBitmap* bitmap) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (bitmap) bitmap->Paint(dc, 0, 0);
    EndPaint(window, &paint);
}

} // namespace win
