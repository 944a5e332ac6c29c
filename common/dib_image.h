// Device-independent bitmap files as the programs' skins and backgrounds use
// them: the whole file read into one block, a palette from its colour table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace dib {

// File header: type "BM", file size, two reserved words, pixel offset.
inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::uint16_t kBitmapType = 0x4D42;
inline constexpr std::size_t kFileSizeOffset = 2;

// The bitmap header layouts, told apart by their first field. Today's
// editors write the 108- and 124-byte Windows headers, which extend the
// 40-byte one (colour masks and colour-space fields after it); they are
// taken as the 40-byte header.
inline constexpr std::uint32_t kWindowsHeaderSize = 40;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kWindowsV4HeaderSize = 108;
inline constexpr std::uint32_t kWindowsV5HeaderSize = 124;

// Colour-table entries: blue, green, red (+ reserved in the Windows layout).
inline constexpr std::size_t kWindowsColourEntrySize = 4;
inline constexpr std::size_t kCoreColourEntrySize = 3;

// A logical palette holds at most this many entries.
inline constexpr std::size_t kMaxColours = 256;

// Pixel encodings taken: plain rows, whose size follows from the picture's,
// run-length pixels of 8- and 4-bit pictures, whose size the header states,
// and 16- or 32-bit rows under bit fields with the masks every display
// draws. Others (other masks, embedded pictures) are refused.
inline constexpr std::uint32_t kUncompressed = 0;
inline constexpr std::uint32_t kRunLength8 = 1;
inline constexpr std::uint32_t kRunLength4 = 2;
inline constexpr std::uint32_t kBitFields = 3;

// Bit fields: red, green and blue masks, 4 bytes each, right after the
// 40-byte header (inside the newer headers, at the same place).
inline constexpr std::size_t kColourMasksSize = 12;

enum class DibError {
    kNone,
    kFileMissing,
    kHeaderUnreadable,
    kNotBitmap,
    kOutOfMemory,
    kUnreadable,
    kPaletteOutOfMemory,
};

// The user-visible text of an error, with path in place of "%s"; "" for kNone.
std::string ErrorText(DibError error, std::string_view path);

struct PaletteColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const PaletteColour&) const = default;
};

// A decoded picture. Block() is everything after the file header as read
// (bitmap header, colour table, pixels), ready for a DIB painting call; a
// newer Windows header is cut to the 40-byte one (with the colour masks of
// bit fields after it), which every Windows draws.
class DibImage {
public:
    // Reads a whole BMP file from in. On failure the image is left empty.
    DibError Read(std::istream& in);
    DibError ReadFile(const std::filesystem::path& file);

    bool Loaded() const { return !block_.empty(); }
    std::int32_t Width() const { return width_; }
    // Negative for a top-down picture, as stored.
    std::int32_t Height() const { return height_; }
    std::uint32_t Rows() const;
    std::uint16_t BitsPerPixel() const { return bitsPerPixel_; }
    bool HasWindowsHeader() const { return windowsHeader_; }
    const std::vector<PaletteColour>& Palette() const { return palette_; }

    const std::vector<std::uint8_t>& Block() const { return block_; }
    // Where the pixels start inside Block(): right after header and colour table.
    std::size_t PixelOffset() const { return pixelOffset_; }
    const std::uint8_t* Pixels() const { return block_.data() + pixelOffset_; }

private:
    DibError Decode(std::vector<std::uint8_t> block);
    void Clear();

    std::vector<std::uint8_t> block_;
    std::vector<PaletteColour> palette_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::uint16_t bitsPerPixel_ = 0;
    bool windowsHeader_ = false;
    std::size_t pixelOffset_ = 0;
};

} // namespace dib
