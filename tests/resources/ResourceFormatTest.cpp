// Format checks of the files that VantorPoker.rc embeds: the bitmaps, the card-sheet grid,
// the win sound and the icon. They read the files as bytes, so they run on any host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadResource(const std::string& name) {
    std::ifstream in(std::string(VANTOR_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

std::int32_t I32(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

int S16(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(U16(b, at));
}

std::string Tag(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

// An uncompressed bottom-up 8-bit BMP, read through its palette.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::vector<std::uint8_t> indices;   // top-down, width * height

    std::uint32_t Rgb(int x, int y) const {
        return palette[indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]];
    }
};

// Checks the headers as the Windows loader reads them and decodes the pixels.
void ReadBitmap(const std::string& name, int width, int height, Bitmap* out) {
    const Bytes file = ReadResource(name);
    ASSERT_GE(file.size(), 54u) << "missing or truncated";
    EXPECT_EQ(Tag(file, 0).substr(0, 2), "BM");
    EXPECT_EQ(U32(file, 2), file.size()) << "bfSize";
    ASSERT_EQ(U32(file, 14), 40u) << "BITMAPINFOHEADER";
    ASSERT_EQ(I32(file, 18), width);
    ASSERT_EQ(I32(file, 22), height) << "bottom-up rows";
    EXPECT_EQ(U16(file, 26), 1u) << "planes";
    ASSERT_EQ(U16(file, 28), 8u) << "bits per pixel";
    ASSERT_EQ(U32(file, 30), 0u) << "BI_RGB, no compression";
    const std::uint32_t colours = U32(file, 46);
    ASSERT_GE(colours, 1u);
    ASSERT_LE(colours, 256u);
    const std::uint32_t offset = U32(file, 10);
    ASSERT_EQ(offset, 54u + 4u * colours) << "pixels follow the colour table";
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    ASSERT_EQ(file.size(), offset + stride * static_cast<std::size_t>(height));
    EXPECT_EQ(U32(file, 34), stride * static_cast<std::size_t>(height)) << "biSizeImage";

    out->width = width;
    out->height = height;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = 54 + 4 * i;
        out->palette.push_back((static_cast<std::uint32_t>(file[at + 2]) << 16) | (file[at + 1] << 8) | file[at]);
    }
    out->indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = file[row + static_cast<std::size_t>(x)];
            ASSERT_LT(index, colours) << "pixel " << x << "," << y << " outside the colour table";
            out->indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = index;
        }
    }
}

struct PictureCase {
    const char* file;
    int width;
    int height;
};

const PictureCase kPictures[] = {
    {"CardSheet.bmp", 1260, 508},  // 1008
    {"PayTable.bmp", 286, 76},     // 1010
    {"Logo.bmp", 200, 50},         // 1007
    {"AboutLogo.bmp", 163, 50},    // 1006
};

TEST(Bitmaps, HaveTheirSizesAsEightBitPictures) {
    for (const PictureCase& picture : kPictures) {
        SCOPED_TRACE(picture.file);
        Bitmap bitmap;
        ASSERT_NO_FATAL_FAILURE(ReadBitmap(picture.file, picture.width, picture.height, &bitmap));
        // Something is drawn on the black ground: at least a tenth of the picture.
        const auto drawn = std::count_if(bitmap.indices.begin(), bitmap.indices.end(),
                                         [&](std::uint8_t i) { return bitmap.palette[i] != 0; });
        EXPECT_GT(drawn, picture.width * picture.height / 10);
    }
}

// The card sheet: 14 columns x 4 rows of 90 x 127. Columns 0..12 ace to king, rows clubs,
// diamonds, spades, hearts; column 13 holds the back in row 0 and is empty below.
constexpr int kCellW = 90;
constexpr int kCellH = 127;
constexpr int kBackColumn = 13;
constexpr int kCorner = 8;  // beyond this square at each corner a card is opaque

class CardSheet : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(ReadBitmap("CardSheet.bmp", 1260, 508, &sheet)); }

    std::vector<std::uint32_t> Cell(int column, int row) const {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < kCellH; ++y)
            for (int x = 0; x < kCellW; ++x) pixels.push_back(sheet.Rgb(column * kCellW + x, row * kCellH + y));
        return pixels;
    }

    static bool IsBlank(const std::vector<std::uint32_t>& cell) {
        return std::all_of(cell.begin(), cell.end(), [](std::uint32_t p) { return p == 0; });
    }

    static bool InCornerSquare(int x, int y) {
        return (x < kCorner || x >= kCellW - kCorner) && (y < kCorner || y >= kCellH - kCorner);
    }

    Bitmap sheet;
};

TEST_F(CardSheet, ColumnThirteenHoldsTheBackAboveBlankCells) {
    const std::vector<std::uint32_t> back = Cell(kBackColumn, 0);
    EXPECT_FALSE(IsBlank(back));
    for (int row = 1; row < 4; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const std::vector<std::uint32_t> blank = Cell(kBackColumn, row);
        EXPECT_TRUE(IsBlank(blank)) << "blank cells are plain table black";
        EXPECT_NE(back, blank);
    }
}

// Every card (the 52 faces and the back) has rounded corners showing the pure black table and
// no pure black inside: the game draws cells with black as the transparent colour.
TEST_F(CardSheet, CardsAreOpaqueInsideTheirBlackCorners) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column <= kBackColumn; ++column) {
            if (column == kBackColumn && row > 0) continue;
            SCOPED_TRACE("column " + std::to_string(column) + ", row " + std::to_string(row));
            const std::vector<std::uint32_t> cell = Cell(column, row);
            for (int cx : {0, kCellW - 1})
                for (int cy : {0, kCellH - 1}) EXPECT_EQ(cell[static_cast<std::size_t>(cy * kCellW + cx)], 0u);
            int blackInside = 0;
            for (int y = 0; y < kCellH; ++y)
                for (int x = 0; x < kCellW; ++x)
                    if (!InCornerSquare(x, y) && cell[static_cast<std::size_t>(y * kCellW + x)] == 0) ++blackInside;
            EXPECT_EQ(blackInside, 0);
        }
    }
}

TEST_F(CardSheet, NoTwoFacesAreAlike) {
    std::set<std::vector<std::uint32_t>> faces;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < kBackColumn; ++column) faces.insert(Cell(column, row));
    EXPECT_EQ(faces.size(), 52u);
    EXPECT_EQ(faces.count(Cell(kBackColumn, 0)), 0u) << "the back looks like a face";
}

// Diamonds and hearts (rows 1 and 3) print in red, clubs and spades in black. Court cards wear
// red in every suit, so this looks at the ace to the ten.
TEST_F(CardSheet, RedSuitsAreInTheRedRows) {
    const auto isRed = [](std::uint32_t p) {
        return (p >> 16) > 150 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90;
    };
    for (int row = 0; row < 4; ++row) {
        const bool redSuit = row == 1 || row == 3;
        for (int column = 0; column < 10; ++column) {
            SCOPED_TRACE("column " + std::to_string(column) + ", row " + std::to_string(row));
            const std::vector<std::uint32_t> cell = Cell(column, row);
            const auto red = std::count_if(cell.begin(), cell.end(), isRed);
            if (redSuit)
                EXPECT_GT(red, 100);
            else
                EXPECT_EQ(red, 0);
        }
    }
}

// The win sound: RIFF WAVE, PCM, 2 channels, 44 100 Hz, 16 bits, about half a second, starting
// and ending in silence so that it does not click.
class WinSound : public ::testing::Test {
protected:
    void SetUp() override {
        file = ReadResource("WinSound.wav");
        ASSERT_GE(file.size(), 44u) << "missing or truncated";
        ASSERT_EQ(Tag(file, 0), "RIFF");
        ASSERT_EQ(U32(file, 4), file.size() - 8);
        ASSERT_EQ(Tag(file, 8), "WAVE");
        for (std::size_t at = 12; at + 8 <= file.size(); at += 8 + ((U32(file, at + 4) + 1) & ~1u)) {
            const std::string tag = Tag(file, at);
            if (tag == "fmt ") fmt = at + 8;
            if (tag == "data") {
                data = at + 8;
                dataSize = U32(file, at + 4);
            }
        }
        ASSERT_NE(fmt, 0u) << "no fmt chunk";
        ASSERT_NE(data, 0u) << "no data chunk";
        ASSERT_LE(data + dataSize, file.size());
    }

    int Sample(std::size_t frame, int channel) const { return S16(file, data + 4 * frame + 2 * static_cast<std::size_t>(channel)); }
    std::size_t Frames() const { return dataSize / 4; }

    Bytes file;
    std::size_t fmt = 0;
    std::size_t data = 0;
    std::size_t dataSize = 0;
};

TEST_F(WinSound, IsHalfASecondOfStereo16BitPcm) {
    EXPECT_GE(U32(file, fmt - 4), 16u) << "fmt chunk size";
    EXPECT_EQ(U16(file, fmt), 1u) << "PCM";
    EXPECT_EQ(U16(file, fmt + 2), 2u) << "channels";
    EXPECT_EQ(U32(file, fmt + 4), 44100u) << "sample rate";
    EXPECT_EQ(U32(file, fmt + 8), 44100u * 4u) << "byte rate";
    EXPECT_EQ(U16(file, fmt + 12), 4u) << "block align";
    EXPECT_EQ(U16(file, fmt + 14), 16u) << "bits per sample";
    EXPECT_EQ(dataSize % 4, 0u);
    const double seconds = static_cast<double>(Frames()) / 44100.0;
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 0.8);
}

TEST_F(WinSound, IsAudibleAndFadesFromAndToSilence) {
    ASSERT_GT(Frames(), 2u * 441u);
    int peak = 0;
    for (std::size_t i = 0; i < Frames(); ++i)
        for (int c = 0; c < 2; ++c) peak = std::max(peak, std::abs(Sample(i, c)));
    EXPECT_GT(peak, 8000) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE("channel " + std::to_string(c));
        EXPECT_LE(std::abs(Sample(0, c)), 16);
        EXPECT_LE(std::abs(Sample(Frames() - 1, c)), 16);
        // The first and the last millisecond stay well below the peak: no step at either end.
        for (std::size_t i = 0; i < 44; ++i) {
            EXPECT_LT(std::abs(Sample(i, c)), peak / 4) << "frame " << i;
            EXPECT_LT(std::abs(Sample(Frames() - 1 - i, c)), peak / 4) << i << " frames before the end";
        }
    }
}

// The icon: 16, 32 and 48 pixel images stored as 32-bit BMP (not PNG) with their AND masks.
TEST(AppIcon, HoldsBmpImagesOf16_32And48Pixels) {
    const Bytes file = ReadResource("VantorPoker.ico");
    ASSERT_GE(file.size(), 6u) << "missing or truncated";
    EXPECT_EQ(U16(file, 0), 0u);
    ASSERT_EQ(U16(file, 2), 1u) << "type icon";
    const std::uint32_t count = U16(file, 4);
    ASSERT_GE(file.size(), 6 + 16 * count);
    std::set<std::uint32_t> sizes;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = file[entry];
        SCOPED_TRACE("entry " + std::to_string(i) + ", " + std::to_string(size) + " pixels");
        sizes.insert(size);
        EXPECT_EQ(file[entry + 1], size) << "square";
        EXPECT_EQ(U16(file, entry + 4), 1u) << "planes";
        EXPECT_EQ(U16(file, entry + 6), 32u) << "bits per pixel";
        const std::uint32_t bytes = U32(file, entry + 8);
        const std::uint32_t offset = U32(file, entry + 12);
        ASSERT_LE(static_cast<std::size_t>(offset) + bytes, file.size());
        ASSERT_EQ(U32(file, offset), 40u) << "a BITMAPINFOHEADER, not a PNG";
        EXPECT_EQ(I32(file, offset + 4), static_cast<std::int32_t>(size));
        EXPECT_EQ(I32(file, offset + 8), static_cast<std::int32_t>(2 * size)) << "colour and mask heights";
        EXPECT_EQ(U16(file, offset + 14), 32u);
        const std::uint32_t maskStride = (size + 31) / 32 * 4;
        ASSERT_EQ(bytes, 40 + size * size * 4 + maskStride * size);
        // The mask marks exactly the fully transparent pixels, and some pixels are drawn.
        std::uint32_t opaque = 0;
        for (std::uint32_t y = 0; y < size; ++y) {
            for (std::uint32_t x = 0; x < size; ++x) {
                const std::uint8_t alpha = file[offset + 40 + 4 * (y * size + x) + 3];
                const bool masked = ((file[offset + 40 + size * size * 4 + y * maskStride + x / 8] >> (7 - x % 8)) & 1) != 0;
                EXPECT_EQ(masked, alpha == 0) << "pixel " << x << "," << y;
                if (alpha == 255) ++opaque;
            }
        }
        EXPECT_GT(opaque, size * size / 3);
    }
    EXPECT_EQ(sizes, (std::set<std::uint32_t>{16, 32, 48}));
}

}  // namespace
