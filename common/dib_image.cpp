#include "common/dib_image.h"

#include <array>
#include <fstream>
#include <new>
#include <stdexcept>

namespace dib {
namespace {

// Field offsets inside the 40-byte Windows header.
constexpr std::size_t kWindowsWidthOffset = 4;
constexpr std::size_t kWindowsHeightOffset = 8;
constexpr std::size_t kWindowsBitCountOffset = 14;
constexpr std::size_t kWindowsCompressionOffset = 16;
constexpr std::size_t kWindowsImageSizeOffset = 20;
constexpr std::size_t kWindowsColoursUsedOffset = 32;

// Field offsets inside the 12-byte core header.
constexpr std::size_t kCoreWidthOffset = 4;
constexpr std::size_t kCoreHeightOffset = 6;
constexpr std::size_t kCoreBitCountOffset = 10;

// The header size field opens both layouts.
constexpr std::size_t kHeaderSizeFieldSize = 4;

// Pixel rows are padded to whole 32-bit words.
constexpr std::uint64_t kRowAlignmentBytes = 4;
constexpr std::uint64_t kBitsPerByte = 8;

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t LeSigned32(const std::uint8_t* p) { return static_cast<std::int32_t>(Le32(p)); }

const char* ErrorFormat(DibError error) {
    switch (error) {
    case DibError::kNone: return nullptr;
    case DibError::kFileMissing: return "%s 화일이 없습니다";
    case DibError::kHeaderUnreadable: return "%s BMPHEADER 를 읽을수 없습니다!";
    case DibError::kNotBitmap: return "%s BMP 화일이 아닙니다.";
    case DibError::kOutOfMemory: return "%s 메모리가 부족합니다.";
    case DibError::kUnreadable: return "%s 화일을 읽을수 없습니다.";
    case DibError::kPaletteOutOfMemory: return "%s palette 메모리가 부족합니다.";
    }
    return nullptr;
}

bool IsKnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == kWindowsHeaderSize || size == kWindowsV4HeaderSize ||
           size == kWindowsV5HeaderSize;
}

// Red, green and blue masks that every display draws: 5-5-5 and 5-6-5 at 16
// bits, 8-8-8 at 32 (an alpha mask of the newer headers is not drawn anyway).
bool HasStandardMasks(std::uint16_t bits, const std::uint8_t* masks) {
    using Masks = std::array<std::uint32_t, 3>;
    const Masks rgb{Le32(masks), Le32(masks + 4), Le32(masks + 8)};
    if (bits == 16) return rgb == Masks{0x7C00, 0x03E0, 0x001F} || rgb == Masks{0xF800, 0x07E0, 0x001F};
    return bits == 32 && rgb == Masks{0xFF0000, 0x00FF00, 0x0000FF};
}

// The block of a newer header as the 40-byte header would have it: the
// first 40 bytes with their size field set, the masks of bit fields, then
// colour table and pixels as they were.
std::vector<std::uint8_t> AsWindowsHeader(const std::vector<std::uint8_t>& block, std::uint32_t headerSize,
                                          bool bitFields) {
    const std::size_t kept = kWindowsHeaderSize + (bitFields ? kColourMasksSize : 0);
    std::vector<std::uint8_t> out(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept));
    out.insert(out.end(), block.begin() + static_cast<std::ptrdiff_t>(headerSize), block.end());
    for (std::size_t i = 0; i < kHeaderSizeFieldSize; ++i) {
        out[i] = static_cast<std::uint8_t>(kWindowsHeaderSize >> (8 * i));
    }
    return out;
}

// Depths a painting call accepts without compression; the core layout
// predates 16 and 32 bits.
bool IsKnownDepth(std::uint16_t bits, bool windowsHeader) {
    switch (bits) {
    case 1: case 4: case 8: case 24: return true;
    case 16: case 32: return windowsHeader;
    default: return false;
    }
}

std::uint32_t DefaultColourCount(std::uint16_t bits) {
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// Bytes left from the read position to the end; a lying file size must not
// make us allocate far more than the file holds.
std::uint64_t RemainingBytes(std::istream& in) {
    const std::streampos here = in.tellg();
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    if (here < 0 || end < here) return 0;
    return static_cast<std::uint64_t>(end - here);
}

} // namespace

std::string ErrorText(DibError error, std::string_view path) {
    const char* format = ErrorFormat(error);
    if (format == nullptr) return {};
    std::string text(format);
    text.replace(text.find("%s"), 2, path);
    return text;
}

std::uint32_t DibImage::Rows() const {
    // No file holds 2^31 rows, so a decoded height is never INT32_MIN.
    return static_cast<std::uint32_t>(height_ < 0 ? -height_ : height_);
}

void DibImage::Clear() { *this = DibImage(); }

DibError DibImage::ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Clear();
        return DibError::kFileMissing;
    }
    return Read(in);
}

DibError DibImage::Read(std::istream& in) {
    Clear();
    std::array<std::uint8_t, kFileHeaderSize> header{};
    in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    if (in.gcount() != static_cast<std::streamsize>(header.size())) return DibError::kHeaderUnreadable;
    if (Le16(header.data()) != kBitmapType) return DibError::kNotBitmap;

    const std::uint32_t fileSize = Le32(header.data() + kFileSizeOffset);
    if (fileSize < kFileHeaderSize) return DibError::kUnreadable;
    const std::uint64_t blockSize = fileSize - kFileHeaderSize;
    if (blockSize > RemainingBytes(in)) return DibError::kUnreadable;

    std::vector<std::uint8_t> block;
    try {
        block.resize(static_cast<std::size_t>(blockSize));
    } catch (const std::bad_alloc&) {
        return DibError::kOutOfMemory;
    } catch (const std::length_error&) {
        return DibError::kOutOfMemory;
    }
    in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
    if (in.gcount() != static_cast<std::streamsize>(block.size())) return DibError::kUnreadable;
    return Decode(std::move(block));
}

DibError DibImage::Decode(std::vector<std::uint8_t> block) {
    if (block.size() < kHeaderSizeFieldSize) return DibError::kUnreadable;
    const std::uint32_t headerSize = Le32(block.data());
    if (!IsKnownHeaderSize(headerSize)) return DibError::kUnreadable;
    if (headerSize > block.size()) return DibError::kUnreadable;

    const std::uint8_t* h = block.data();
    const bool windows = headerSize != kCoreHeaderSize;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 0;
    std::uint32_t colourCount = 0;
    std::uint32_t compression = kUncompressed;
    if (windows) {
        width = LeSigned32(h + kWindowsWidthOffset);
        height = LeSigned32(h + kWindowsHeightOffset);
        bits = Le16(h + kWindowsBitCountOffset);
        compression = Le32(h + kWindowsCompressionOffset);
        colourCount = Le32(h + kWindowsColoursUsedOffset);
        if (colourCount == 0) colourCount = DefaultColourCount(bits);
    } else {
        width = Le16(h + kCoreWidthOffset);
        height = Le16(h + kCoreHeightOffset);
        bits = Le16(h + kCoreBitCountOffset);
        colourCount = DefaultColourCount(bits);
    }
    if (!IsKnownDepth(bits, windows)) return DibError::kUnreadable;
    if (width <= 0 || height == 0) return DibError::kUnreadable;
    if (colourCount > kMaxColours) return DibError::kUnreadable;

    // The masks follow the 40-byte header and sit inside the newer ones.
    const bool bitFields = compression == kBitFields;
    const std::size_t masksAfterHeader = bitFields && headerSize == kWindowsHeaderSize ? kColourMasksSize : 0;
    const std::size_t entrySize = windows ? kWindowsColourEntrySize : kCoreColourEntrySize;
    const std::size_t pixelOffset = headerSize + masksAfterHeader + colourCount * entrySize;
    if (pixelOffset > block.size()) return DibError::kUnreadable;

    const std::uint64_t pixelBytes = block.size() - pixelOffset;
    if (compression == kUncompressed || bitFields) {
        if (bitFields && !HasStandardMasks(bits, h + kWindowsHeaderSize)) return DibError::kUnreadable;
        constexpr std::uint64_t kAlignmentBits = kRowAlignmentBytes * kBitsPerByte;
        const std::uint64_t rowBytes =
            (static_cast<std::uint64_t>(width) * bits + kAlignmentBits - 1) / kAlignmentBits * kRowAlignmentBytes;
        const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
        if (rows > pixelBytes / rowBytes) return DibError::kUnreadable;
    } else {
        // Runs are drawn bottom-up only, and the device reads as many bytes as
        // the header states: they must all be in the file.
        const bool runLength = (compression == kRunLength8 && bits == 8) || (compression == kRunLength4 && bits == 4);
        const std::uint32_t packedBytes = Le32(h + kWindowsImageSizeOffset);
        if (!runLength || height < 0 || packedBytes == 0 || packedBytes > pixelBytes) return DibError::kUnreadable;
    }

    palette_.reserve(colourCount);
    for (std::uint32_t i = 0; i < colourCount; ++i) {
        const std::uint8_t* entry = h + headerSize + masksAfterHeader + i * entrySize;
        palette_.push_back({entry[2], entry[1], entry[0]});
    }
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bits;
    windowsHeader_ = windows;
    if (headerSize > kWindowsHeaderSize) block = AsWindowsHeader(block, headerSize, bitFields);
    // The swap keeps every byte from the colour table on: the pixels end the block either way.
    pixelOffset_ = block.size() - static_cast<std::size_t>(pixelBytes);
    block_ = std::move(block);
    return DibError::kNone;
}

} // namespace dib
