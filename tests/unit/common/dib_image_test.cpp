#include "common/dib_image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

void Put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

// Colour-table entry i of every written picture.
dib::PaletteColour EntryColour(std::uint32_t i) {
    return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(255 - i)};
}

// A small BMP writer whose fields can be made to lie.
struct Bmp {
    bool windowsHeader = true;
    std::uint32_t windowsHeaderSize = 40;  // 108 and 124: the newer layouts
    std::vector<std::uint32_t> masks;      // red, green, blue (and alpha in the newer layouts)
    std::int32_t width = 5;
    std::int32_t height = 3;
    std::uint16_t bits = 8;
    std::uint32_t coloursUsed = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t headerSizeField = 0;   // 0: the layout's own size
    long tableEntries = -1;              // -1: what the colour rules ask for
    long pixelBytes = -1;                // -1: every padded row
    long fileSizeDelta = 0;              // added to the true size in the file header
    std::string trailing;                // bytes after what the file header counts

    std::string Bytes() const {
        std::string info;
        Put32(info, headerSizeField ? headerSizeField : (windowsHeader ? windowsHeaderSize : 12));
        if (windowsHeader) {
            Put32(info, static_cast<std::uint32_t>(width));
            Put32(info, static_cast<std::uint32_t>(height));
            Put16(info, 1);
            Put16(info, bits);
            Put32(info, compression);
            Put32(info, imageSize);
            for (int field = 0; field < 2; ++field) Put32(info, 0);  // resolution
            Put32(info, coloursUsed);
            Put32(info, 0);
            // After the 40-byte header, or inside the newer ones: the masks,
            // then colour-space fields the loader does not draw.
            for (std::uint32_t mask : masks) Put32(info, mask);
            while (info.size() < windowsHeaderSize) info.push_back(static_cast<char>(0x5A));
        } else {
            Put16(info, static_cast<std::uint16_t>(width));
            Put16(info, static_cast<std::uint16_t>(height));
            Put16(info, 1);
            Put16(info, bits);
        }
        long entries = tableEntries;
        if (entries < 0) entries = coloursUsed ? coloursUsed : (bits <= 8 ? 1L << bits : 0);
        for (long i = 0; i < entries; ++i) {
            const auto c = EntryColour(static_cast<std::uint32_t>(i));
            info += {static_cast<char>(c.blue), static_cast<char>(c.green), static_cast<char>(c.red)};
            if (windowsHeader) info.push_back('\0');
        }
        long pixels = pixelBytes;
        if (pixels < 0) pixels = ((static_cast<long>(width) * bits + 31) / 32) * 4 * std::labs(height);
        for (long i = 0; i < pixels; ++i) info.push_back(static_cast<char>(0xA0 + i % 7));

        std::string file = "BM";
        Put32(file, static_cast<std::uint32_t>(14 + static_cast<long>(info.size()) + fileSizeDelta));
        Put32(file, 0);
        Put32(file, 14 + 40 + 1024);  // a pixel offset that the loader must not use
        return file + info + trailing;
    }
};

dib::DibError ReadBytes(dib::DibImage& image, const std::string& bytes) {
    std::istringstream in(bytes);
    return image.Read(in);
}

struct LayoutCase {
    bool windowsHeader;
    std::uint16_t bits;
    std::uint32_t colours;
};

class DibLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(DibLayoutTest, DecodesHeaderPaletteAndPixelStart) {
    const LayoutCase c = GetParam();
    Bmp bmp;
    bmp.windowsHeader = c.windowsHeader;
    bmp.bits = c.bits;
    bmp.width = 7;
    bmp.height = 4;
    const std::string bytes = bmp.Bytes();

    dib::DibImage image;
    ASSERT_EQ(ReadBytes(image, bytes), dib::DibError::kNone);
    EXPECT_TRUE(image.Loaded());
    EXPECT_EQ(image.Width(), 7);
    EXPECT_EQ(image.Height(), 4);
    EXPECT_EQ(image.BitsPerPixel(), c.bits);
    EXPECT_EQ(image.HasWindowsHeader(), c.windowsHeader);
    ASSERT_EQ(image.Palette().size(), c.colours);
    for (std::uint32_t i = 0; i < c.colours; ++i) EXPECT_EQ(image.Palette()[i], EntryColour(i)) << i;

    const std::size_t header = c.windowsHeader ? 40 : 12;
    EXPECT_EQ(image.PixelOffset(), header + c.colours * (c.windowsHeader ? 4 : 3));
    EXPECT_EQ(image.Block(), std::vector<std::uint8_t>(bytes.begin() + 14, bytes.end()));
    EXPECT_EQ(*image.Pixels(), 0xA0);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, DibLayoutTest,
                         testing::Values(LayoutCase{true, 1, 2}, LayoutCase{true, 4, 16}, LayoutCase{true, 8, 256},
                                         LayoutCase{true, 16, 0}, LayoutCase{true, 24, 0}, LayoutCase{true, 32, 0},
                                         LayoutCase{false, 1, 2}, LayoutCase{false, 4, 16},
                                         LayoutCase{false, 8, 256}, LayoutCase{false, 24, 0}));

TEST(DibColourCount, ColoursUsedDecidesTheWindowsTable) {
    dib::DibImage image;
    Bmp bmp;
    ASSERT_EQ(ReadBytes(image, bmp.Bytes()), dib::DibError::kNone);
    EXPECT_EQ(image.Palette().size(), 256u);

    bmp.coloursUsed = 20;
    ASSERT_EQ(ReadBytes(image, bmp.Bytes()), dib::DibError::kNone);
    ASSERT_EQ(image.Palette().size(), 20u);
    EXPECT_EQ(image.Palette()[19], EntryColour(19));
    EXPECT_EQ(image.PixelOffset(), 40u + 20 * 4);

    bmp.bits = 24;  // a true-colour picture may still carry a table
    bmp.coloursUsed = 5;
    ASSERT_EQ(ReadBytes(image, bmp.Bytes()), dib::DibError::kNone);
    EXPECT_EQ(image.Palette().size(), 5u);
    EXPECT_EQ(image.PixelOffset(), 40u + 5 * 4);
}

TEST(DibGeometry, TopDownAndTrailingBytes) {
    dib::DibImage image;
    Bmp bmp;
    bmp.height = -3;
    bmp.trailing = "padding the header does not count";
    const std::string bytes = bmp.Bytes();
    ASSERT_EQ(ReadBytes(image, bytes), dib::DibError::kNone);
    EXPECT_EQ(image.Height(), -3);
    EXPECT_EQ(image.Rows(), 3u);
    EXPECT_EQ(image.Block().size(), bytes.size() - 14 - bmp.trailing.size());
}

TEST(DibFileHeader, ShortWrongAndTruncatedFiles) {
    dib::DibImage image;
    const std::string good = Bmp{}.Bytes();
    EXPECT_EQ(ReadBytes(image, ""), dib::DibError::kHeaderUnreadable);
    EXPECT_EQ(ReadBytes(image, good.substr(0, 13)), dib::DibError::kHeaderUnreadable);
    EXPECT_EQ(ReadBytes(image, "MB" + good.substr(2)), dib::DibError::kNotBitmap);
    // The header promises more than arrives.
    EXPECT_EQ(ReadBytes(image, good.substr(0, 14)), dib::DibError::kUnreadable);
    EXPECT_EQ(ReadBytes(image, good.substr(0, good.size() - 1)), dib::DibError::kUnreadable);
    Bmp huge;
    huge.fileSizeDelta = 0xFFFFFF00 - static_cast<long>(huge.Bytes().size());  // refused before allocating 4 GiB
    EXPECT_EQ(ReadBytes(image, huge.Bytes()), dib::DibError::kUnreadable);
    EXPECT_FALSE(image.Loaded());
}

TEST(DibFileHeader, MissingFileAndReadFromDisk) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "dib_image_test.bmp";
    std::filesystem::remove(file);
    dib::DibImage image;
    EXPECT_EQ(image.ReadFile(file), dib::DibError::kFileMissing);

    const std::string bytes = Bmp{}.Bytes();
    std::ofstream(file, std::ios::binary) << bytes;
    EXPECT_EQ(image.ReadFile(file), dib::DibError::kNone);
    EXPECT_EQ(image.Block().size(), bytes.size() - 14);
    std::filesystem::remove(file);
}

// Each case lies in one field of an otherwise sound 8-bit picture.
struct LieCase {
    const char* name;
    std::function<void(Bmp&)> lie;
};

class DibLyingHeaderTest : public testing::TestWithParam<LieCase> {};

TEST_P(DibLyingHeaderTest, RefusedAsUnreadableAndLeavesNothing) {
    dib::DibImage image;
    ASSERT_EQ(ReadBytes(image, Bmp{}.Bytes()), dib::DibError::kNone);
    Bmp bmp;
    GetParam().lie(bmp);
    EXPECT_EQ(ReadBytes(image, bmp.Bytes()), dib::DibError::kUnreadable);
    EXPECT_FALSE(image.Loaded());
    EXPECT_TRUE(image.Palette().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, DibLyingHeaderTest,
    testing::Values(
        LieCase{"FileSizeBelowFileHeader", [](Bmp& b) { b.fileSizeDelta = 10 - static_cast<long>(b.Bytes().size()); }},
        LieCase{"FileSizeCutsHeader", [](Bmp& b) { b.tableEntries = 0, b.pixelBytes = 0, b.fileSizeDelta = -20; }},
        LieCase{"FileSizeCutsSizeField", [](Bmp& b) { b.tableEntries = 0, b.pixelBytes = 0, b.fileSizeDelta = -38; }},
        LieCase{"HeaderSizeHuge", [](Bmp& b) { b.headerSizeField = 0xFFFFFFFF; }},
        LieCase{"HeaderSizeTiny", [](Bmp& b) { b.headerSizeField = 4; }},
        LieCase{"HeaderSizeBetweenLayouts", [](Bmp& b) { b.headerSizeField = 64; }},
        LieCase{"NewerHeaderCut", [](Bmp& b) { b.windowsHeaderSize = 124, b.tableEntries = 0, b.pixelBytes = 0, b.fileSizeDelta = -24; }},
        LieCase{"ColourTableShort", [](Bmp& b) { b.tableEntries = 255, b.pixelBytes = 0; }},
        LieCase{"CoreColourTableShort", [](Bmp& b) { b.windowsHeader = false, b.tableEntries = 100, b.pixelBytes = 0; }},
        LieCase{"ColoursUsedBeyondPalette", [](Bmp& b) { b.coloursUsed = 257; }},
        LieCase{"ColoursUsedHuge", [](Bmp& b) { b.coloursUsed = 0xFFFFFFFF, b.tableEntries = 0; }},
        LieCase{"PixelRowsShort", [](Bmp& b) { b.pixelBytes = 8 * 3 - 1; }},
        LieCase{"RowsUnpadded", [](Bmp& b) { b.pixelBytes = 5 * 3; }},
        LieCase{"CoreRowsShort", [](Bmp& b) { b.windowsHeader = false, b.bits = 24, b.pixelBytes = 10; }},
        LieCase{"WidthZero", [](Bmp& b) { b.width = 0; }},
        LieCase{"WidthNegative", [](Bmp& b) { b.width = -5, b.pixelBytes = 24; }},
        LieCase{"HeightZero", [](Bmp& b) { b.height = 0, b.pixelBytes = 8; }},
        LieCase{"HeightMostNegative", [](Bmp& b) { b.height = INT32_MIN, b.pixelBytes = 24; }},
        LieCase{"SizesOverflowing", [](Bmp& b) { b.width = INT32_MAX, b.height = INT32_MAX, b.pixelBytes = 64; }},
        LieCase{"TopDownRowsShort", [](Bmp& b) { b.height = -4, b.pixelBytes = 24; }},
        LieCase{"DepthZero", [](Bmp& b) { b.bits = 0, b.tableEntries = 0, b.pixelBytes = 24; }},
        LieCase{"DepthUnknown", [](Bmp& b) { b.bits = 7, b.tableEntries = 0, b.pixelBytes = 24; }},
        LieCase{"CoreDepth32", [](Bmp& b) { b.windowsHeader = false, b.bits = 32; }},
        LieCase{"BitFieldsOtherMasks", [](Bmp& b) { b.bits = 16, b.compression = 3, b.masks = {0xF00, 0xF0, 0xF}; }},
        LieCase{"BitFieldsOn8Bits", [](Bmp& b) { b.compression = 3, b.masks = {0xE0, 0x1C, 0x3}; }},
        LieCase{"NewerHeaderSwappedMasks",
                [](Bmp& b) { b.windowsHeaderSize = 124, b.bits = 32, b.compression = 3, b.masks = {0xFF, 0xFF00, 0xFF0000, 0}; }},
        LieCase{"NewerHeaderEmbeddedPicture", [](Bmp& b) { b.windowsHeaderSize = 124, b.bits = 24, b.compression = 4; }},
        LieCase{"RunLength8On24Bits", [](Bmp& b) { b.bits = 24, b.compression = 1, b.imageSize = 8, b.pixelBytes = 8; }},
        LieCase{"RunLength4On8Bits", [](Bmp& b) { b.compression = 2, b.imageSize = 8, b.pixelBytes = 8; }},
        LieCase{"RunLengthWithoutSize", [](Bmp& b) { b.compression = 1, b.pixelBytes = 8; }},
        LieCase{"RunLengthSizeBeyondFile", [](Bmp& b) { b.compression = 1, b.imageSize = 9, b.pixelBytes = 8; }},
        LieCase{"RunLengthTopDown", [](Bmp& b) { b.compression = 1, b.height = -3, b.imageSize = 8, b.pixelBytes = 8; }}),
    [](const testing::TestParamInfo<LieCase>& param) { return std::string(param.param.name); });

struct NewerHeaderCase {
    std::uint32_t headerSize;
    std::uint16_t bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
};

class DibNewerHeaderTest : public testing::TestWithParam<NewerHeaderCase> {};

TEST_P(DibNewerHeaderTest, TakenAsTheFortyByteHeader) {
    const NewerHeaderCase c = GetParam();
    Bmp bmp;
    bmp.windowsHeaderSize = c.headerSize;
    bmp.bits = c.bits;
    bmp.compression = c.compression;
    bmp.masks = c.masks;
    const std::string bytes = bmp.Bytes();

    dib::DibImage image;
    ASSERT_EQ(ReadBytes(image, bytes), dib::DibError::kNone);
    EXPECT_TRUE(image.HasWindowsHeader());
    EXPECT_EQ(image.Width(), 5);
    EXPECT_EQ(image.Height(), 3);
    const std::uint32_t colours = c.bits <= 8 ? 1u << c.bits : 0;
    ASSERT_EQ(image.Palette().size(), colours);
    if (colours) {
        EXPECT_EQ(image.Palette().back(), EntryColour(colours - 1));
    }

    // The block holds the 40-byte header, the masks of bit fields, then the
    // file's colour table and pixels unchanged.
    const std::size_t masks = c.compression == dib::kBitFields ? dib::kColourMasksSize : 0;
    const std::vector<std::uint8_t> block = image.Block();
    ASSERT_EQ(block.size(), bytes.size() - 14 - c.headerSize + 40 + masks);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), std::string("\x28\0\0\0", 4));
    EXPECT_EQ(std::string(block.begin() + 4, block.begin() + 40 + masks), bytes.substr(14 + 4, 36 + masks));
    EXPECT_EQ(std::string(block.begin() + 40 + masks, block.end()), bytes.substr(14 + c.headerSize));
    EXPECT_EQ(image.PixelOffset(), 40 + masks + colours * 4);
    EXPECT_EQ(*image.Pixels(), 0xA0);
}

INSTANTIATE_TEST_SUITE_P(
    EditorsLayouts, DibNewerHeaderTest,
    testing::Values(NewerHeaderCase{108, 8, dib::kUncompressed, {}},
                    NewerHeaderCase{124, 16, dib::kBitFields, {0x7C00, 0x3E0, 0x1F, 0}},
                    NewerHeaderCase{124, 32, dib::kBitFields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}));

TEST(DibBitFields, StandardMasksAfterTheFortyByteHeader) {
    Bmp bmp;
    bmp.bits = 16;
    bmp.compression = dib::kBitFields;
    bmp.masks = {0xF800, 0x7E0, 0x1F};
    const std::string bytes = bmp.Bytes();
    dib::DibImage image;
    ASSERT_EQ(ReadBytes(image, bytes), dib::DibError::kNone);
    EXPECT_TRUE(image.Palette().empty());
    EXPECT_EQ(image.PixelOffset(), 40u + dib::kColourMasksSize);
    EXPECT_EQ(image.Block(), std::vector<std::uint8_t>(bytes.begin() + 14, bytes.end()));
}

TEST(DibRunLength, PackedPixelsOfTheStatedSizeAreTaken) {
    for (auto [bits, compression] : {std::pair<std::uint16_t, std::uint32_t>{8, dib::kRunLength8}, {4, dib::kRunLength4}}) {
        Bmp bmp;
        bmp.bits = bits;
        bmp.compression = compression;
        bmp.width = 40;  // packed pixels are far fewer than the rows they draw
        bmp.imageSize = 6;
        bmp.pixelBytes = 6;
        dib::DibImage image;
        ASSERT_EQ(ReadBytes(image, bmp.Bytes()), dib::DibError::kNone) << bits;
        EXPECT_EQ(image.Palette().size(), 1u << bits);
        EXPECT_EQ(image.Rows(), 3u);
    }
}

TEST(DibErrorText, PathTakesThePlaceholder) {
    const std::string path = "C:\\게임\\media\\bg.bmp";
    EXPECT_EQ(dib::ErrorText(dib::DibError::kFileMissing, path), path + " 화일이 없습니다");
    EXPECT_EQ(dib::ErrorText(dib::DibError::kHeaderUnreadable, path), path + " BMPHEADER 를 읽을수 없습니다!");
    EXPECT_EQ(dib::ErrorText(dib::DibError::kNotBitmap, path), path + " BMP 화일이 아닙니다.");
    EXPECT_EQ(dib::ErrorText(dib::DibError::kOutOfMemory, path), path + " 메모리가 부족합니다.");
    EXPECT_EQ(dib::ErrorText(dib::DibError::kUnreadable, path), path + " 화일을 읽을수 없습니다.");
    EXPECT_EQ(dib::ErrorText(dib::DibError::kPaletteOutOfMemory, path), path + " palette 메모리가 부족합니다.");
    EXPECT_EQ(dib::ErrorText(dib::DibError::kNone, path), "");
    // A path holding the placeholder itself is not expanded twice.
    EXPECT_EQ(dib::ErrorText(dib::DibError::kNotBitmap, "%s.bmp"), "%s.bmp BMP 화일이 아닙니다.");
}

} // namespace
