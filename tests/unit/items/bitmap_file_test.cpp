#include "items/bitmap_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace pw::items {
namespace {

uint32_t U32(const std::string& b, size_t o) {
    return static_cast<uint8_t>(b[o]) | static_cast<uint8_t>(b[o + 1]) << 8 |
           static_cast<uint8_t>(b[o + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[o + 3])) << 24;
}

Picture Sample() {
    Picture p(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            p.Set(x, y,
                  0xFF000000u | static_cast<uint32_t>(x * 16) << 16 |
                      static_cast<uint32_t>(y * 16) << 8 | 0x40u);
    return p;
}

TEST(Bitmap, WritesA32BitBottomUpFile) {
    Picture p = Sample();
    std::string bytes = EncodeBmp(p);
    ASSERT_EQ(bytes.size(), 14u + 40u + 16u * 16u * 4u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(U32(bytes, 2), bytes.size());
    EXPECT_EQ(U32(bytes, 10), 54u);
    EXPECT_EQ(U32(bytes, 14), 40u);                      // BITMAPINFOHEADER
    EXPECT_EQ(U32(bytes, 18), 16u);                      // width
    EXPECT_EQ(static_cast<int32_t>(U32(bytes, 22)), 16); // positive height: bottom-up
    EXPECT_EQ(bytes[28], 32);                            // bits per pixel
    EXPECT_EQ(U32(bytes, 30), 0u);                       // BI_RGB
    // The first stored row is the bottom row: pixel (0, 15) in B, G, R, A order.
    EXPECT_EQ(static_cast<uint8_t>(bytes[54]), 0x40);
    EXPECT_EQ(static_cast<uint8_t>(bytes[55]), 15 * 16);
    EXPECT_EQ(static_cast<uint8_t>(bytes[56]), 0);
    EXPECT_EQ(static_cast<uint8_t>(bytes[57]), 0xFF);
}

TEST(Bitmap, RoundTripKeepsEveryPixel) {
    Picture p = Sample();
    p.Set(3, 4, 0x80102030u); // half transparent
    auto back = DecodeBmp(EncodeBmp(p));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, p);
}

TEST(Bitmap, ZeroAlphaEverywhereReadsAsOpaque) {
    Picture p(2, 2, 0x00112233u);
    auto back = DecodeBmp(EncodeBmp(p));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->At(1, 1), 0xFF112233u);
}

TEST(Bitmap, ReadsTopDownAnd24Bit) {
    // 2 by 2, 24 bits, top-down (negative height); rows padded to 4 bytes.
    std::string b = "BM";
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](uint32_t v) {
        b += static_cast<char>(v & 0xFF);
        b += static_cast<char>(v >> 8);
    };
    put32(54 + 16);
    put32(0);
    put32(54);
    put32(40);
    put32(2);
    put32(static_cast<uint32_t>(-2));
    put16(1);
    put16(24);
    for (int i = 0; i < 6; ++i)
        put32(0);
    b += std::string("\x01\x02\x03\x04\x05\x06\0\0", 8); // top row
    b += std::string("\x07\x08\x09\x0a\x0b\x0c\0\0", 8); // bottom row
    auto pic = DecodeBmp(b);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->At(0, 0), 0xFF030201u);
    EXPECT_EQ(pic->At(1, 1), 0xFF0C0B0Au);
}

TEST(Bitmap, RejectsDamagedFilesWithoutCrashing) {
    std::string good = EncodeBmp(Sample());
    EXPECT_FALSE(DecodeBmp(""));
    EXPECT_FALSE(DecodeBmp("BM"));
    EXPECT_FALSE(DecodeBmp(good.substr(0, good.size() - 1))); // pixels cut short
    std::string huge = good;
    huge[18] = '\xFF';
    huge[19] = '\xFF'; // width 65535
    EXPECT_FALSE(DecodeBmp(huge));
    std::string badOffset = good;
    badOffset[10] = '\xF0';
    badOffset[11] = '\xFF';
    badOffset[12] = '\xFF';
    badOffset[13] = '\x7F';
    EXPECT_FALSE(DecodeBmp(badOffset));
    std::string rle = good;
    rle[30] = 1; // compressed
    EXPECT_FALSE(DecodeBmp(rle));
}

// An icon file with one 16 by 16 entry of the given bit count (32: alpha; 4: palette + mask).
std::string MakeIco(int bits) {
    std::string dib;
    auto put32 = [&](std::string& s, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](std::string& s, uint32_t v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>(v >> 8);
    };
    put32(dib, 40);
    put32(dib, 16);
    put32(dib, 32); // twice the height: colour rows and mask
    put16(dib, 1);
    put16(dib, static_cast<uint32_t>(bits));
    for (int i = 0; i < 6; ++i)
        put32(dib, 0);
    if (bits == 32) {
        for (int i = 0; i < 256; ++i)
            put32(dib, i < 16 ? 0x00000000u : 0xFF00FF00u); // bottom row transparent
    } else {
        for (int i = 0; i < 16; ++i)
            put32(dib, i == 1 ? 0x000000FFu : 0); // palette: 1 = blue
        for (int i = 0; i < 16 * 8; ++i)
            dib += '\x11'; // every pixel index 1
    }
    for (int row = 0; row < 16; ++row) // mask: the bottom row (stored first) transparent
        put32(dib, row == 0 ? 0xFFFFFFFFu : 0);
    std::string ico;
    put16(ico, 0);
    put16(ico, 1);
    put16(ico, 1);
    ico += '\x10';
    ico += '\x10';
    ico += '\0';
    ico += '\0';
    put16(ico, 1);
    put16(ico, static_cast<uint32_t>(bits));
    put32(ico, static_cast<uint32_t>(dib.size()));
    put32(ico, 22);
    return ico + dib;
}

TEST(Icon, Reads32BitEntryWithAlpha) {
    auto pic = DecodeIco(MakeIco(32));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Width, 16);
    EXPECT_EQ(pic->At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(pic->At(0, 15), 0u);
}

TEST(Icon, ReadsPalettedEntryWithMask) {
    auto pic = DecodeIco(MakeIco(4));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->At(5, 5), 0xFF0000FFu);
    EXPECT_EQ(pic->At(5, 15), 0u); // masked out
}

TEST(Icon, RejectsGarbage) {
    EXPECT_FALSE(DecodeIco(""));
    EXPECT_FALSE(DecodeIco(std::string("\0\0\1\0\5\0", 6))); // five entries announced, none there
    std::string cut = MakeIco(32);
    EXPECT_FALSE(DecodeIco(cut.substr(0, 100)));
}

TEST(Bitmap, FilesRoundTrip) {
    pw::test::TempDir tmp;
    Picture p = Sample();
    ASSERT_TRUE(WriteBmpFile(tmp.path() + "a.bmp", p));
    auto back = ReadBmpFile(tmp.path() + "a.bmp");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, p);
    EXPECT_FALSE(ReadBmpFile(tmp.path() + "missing.bmp"));
    EXPECT_FALSE(WriteBmpFile(tmp.path() + "no/such/folder/a.bmp", p));
}

TEST(Pictures, ComposeAndTreeBand) {
    Picture icon(16, 16, 0); // fully transparent
    icon.Set(0, 0, 0xFFFF0000u);
    icon.Set(1, 0, 0x80000000u); // half black
    Picture on = ComposeIcon(icon, 0xFFFFFFFFu);
    EXPECT_EQ(on.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(on.At(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(on.At(1, 0) & 0xFFu, 0x7Fu);
    Picture tall = TreePicture(icon, 0xFF00FF00u, 20); // band starts 2 rows down
    EXPECT_EQ(tall.Height, 20);
    EXPECT_EQ(tall.At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(tall.At(0, 2), 0xFFFF0000u);
    Picture big(32, 32, 0xFF0000FFu);
    EXPECT_EQ(ScalePicture(big, 16, 16).At(7, 7), 0xFF0000FFu);
}

} // namespace
} // namespace pw::items
