#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "canvas/canvas.h"
#include "canvas_test_util.h"

namespace liquidus {
namespace {

namespace fs = std::filesystem;

class BmpFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("liquidus-bmp-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    static std::vector<std::uint8_t> Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t at) {
        return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | std::uint32_t{d[at + 3]} << 24;
    }
    static std::uint32_t U16(const std::vector<std::uint8_t>& d, std::size_t at) {
        return d[at] | d[at + 1] << 8;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir)) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }

    fs::path m_dir;
};

// Little-endian header of a bitmap file, for hand-made test files.
std::vector<std::uint8_t> Header(std::int32_t width, std::int32_t height, int bits,
                                 std::uint32_t paletteEntries, std::uint32_t dataSize) {
    std::vector<std::uint8_t> d;
    auto put = [&d](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            d.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    const std::uint32_t offset = 54 + 4 * paletteEntries;
    d.push_back('B');
    d.push_back('M');
    put(offset + dataSize, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(bits), 2);
    put(0, 4);
    put(dataSize, 4);
    put(0, 4);
    put(0, 4);
    put(paletteEntries, 4);
    put(0, 4);
    return d;
}

TEST_F(BmpFile, TwentyFourBitBottomUpPaddedRows) {
    TBitmap bitmap(5, 3);  // 15 bytes a row, padded to 16
    bitmap.Canvas().SetPixel(0, 0, RGB(10, 20, 30));
    bitmap.Canvas().SetPixel(4, 2, RGB(200, 100, 50));
    bitmap.Canvas().SetPixel(2, 1, clBtnFace);
    const std::string path = Path("picture.bmp");
    bitmap.SaveToFile(path);

    const auto d = Bytes(path);
    ASSERT_EQ(d.size(), 54u + 16u * 3u);
    EXPECT_EQ(d[0], 'B');
    EXPECT_EQ(d[1], 'M');
    EXPECT_EQ(U32(d, 2), d.size());
    EXPECT_EQ(U32(d, 10), 54u);
    EXPECT_EQ(U32(d, 14), 40u);
    EXPECT_EQ(U32(d, 18), 5u);
    EXPECT_EQ(U32(d, 22), 3u);  // positive: bottom-up
    EXPECT_EQ(U16(d, 26), 1u);
    EXPECT_EQ(U16(d, 28), 24u);
    EXPECT_EQ(U32(d, 30), 0u);
    // The first stored row is the bottom one; pixels are blue, green, red.
    EXPECT_EQ(d[54 + 12], 50);
    EXPECT_EQ(d[54 + 13], 100);
    EXPECT_EQ(d[54 + 14], 200);
    EXPECT_EQ(d[54 + 2 * 16], 30);
    EXPECT_EQ(d[54 + 2 * 16 + 1], 20);
    EXPECT_EQ(d[54 + 2 * 16 + 2], 10);

    TBitmap loaded(1, 1);
    TBitmap::LoadFromFile(loaded, path);
    ASSERT_EQ(loaded.Width(), 5);
    ASSERT_EQ(loaded.Height(), 3);
    EXPECT_EQ(testing::Snapshot(loaded), testing::Snapshot(bitmap));
    EXPECT_EQ(loaded.Canvas().Pixel(2, 1), RGB(212, 208, 200));
    EXPECT_EQ(Entries().size(), 1u);  // no temporary file left over
}

TEST_F(BmpFile, MonochromeByLuminance) {
    TBitmap bitmap(10, 2);  // 2 bytes a row, padded to 4
    const std::vector<TColor> colours = {clWhite,          clBlack,          RGB(128, 128, 128),
                                         RGB(127, 127, 127), clLime,          clRed,
                                         clBlue,           RGB(255, 255, 0), RGB(0, 255, 255),
                                         RGB(255, 0, 255)};
    for (int x = 0; x < 10; ++x) {
        bitmap.Canvas().SetPixel(x, 0, colours[static_cast<std::size_t>(x)]);
    }
    bitmap.Monochrome = true;
    const std::string path = Path("mono.bmp");
    bitmap.SaveToFile(path);

    const auto d = Bytes(path);
    ASSERT_EQ(d.size(), 62u + 4u * 2u);
    EXPECT_EQ(U16(d, 28), 1u);
    EXPECT_EQ(U32(d, 10), 62u);
    EXPECT_EQ(U32(d, 54), 0x00000000u);  // palette: black, white
    EXPECT_EQ(U32(d, 58), 0x00FFFFFFu);
    // Top row stored second: white, black, 128 grey white, 127 grey black,
    // green white (150), red black (76), blue black (29), yellow white,
    // cyan white (179), magenta black (105).
    EXPECT_EQ(d[66], 0b10101001);
    EXPECT_EQ(d[67], 0b10000000);
    EXPECT_EQ(d[62], 0xFF);  // bottom row all white
    EXPECT_EQ(d[63], 0xC0);

    TBitmap loaded;
    TBitmap::LoadFromFile(loaded, path);
    ASSERT_EQ(loaded.Width(), 10);
    EXPECT_EQ(loaded.Canvas().Pixel(2, 0), clWhite);
    EXPECT_EQ(loaded.Canvas().Pixel(3, 0), clBlack);
    EXPECT_EQ(loaded.Canvas().Pixel(9, 0), clBlack);
    EXPECT_EQ(loaded.Canvas().Pixel(9, 1), clWhite);
}

TEST_F(BmpFile, FailedWriteThrowsAndLeavesNothing) {
    TBitmap bitmap(3, 3);
    const std::string missing = Path("no-such-dir/picture.bmp");
    try {
        bitmap.SaveToFile(missing);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(std::strerror(ENOENT)), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(missing));

    // The target is a directory: the temporary file is written, but it
    // cannot replace the target, and it must not stay behind.
    fs::create_directory(Path("taken"));
    EXPECT_THROW(bitmap.SaveToFile(Path("taken")), std::runtime_error);
    EXPECT_EQ(Entries(), std::vector<std::string>{"taken"});

    // A successful save replaces an existing file completely.
    const std::string path = Path("again.bmp");
    Write(path, std::vector<std::uint8_t>(1000, 7));
    bitmap.SaveToFile(path);
    EXPECT_EQ(fs::file_size(path), 54u + 12u * 3u);
}

TEST_F(BmpFile, ReadsPaletteAndTopDownFiles) {
    // 8-bit, 3 x 2, two palette entries, bottom-up.
    auto d = Header(3, 2, 8, 2, 8);
    for (std::uint8_t b : {0, 0, 255, 0, 10, 20, 30, 0}) {  // red, RGB(30, 20, 10)
        d.push_back(b);
    }
    for (std::uint8_t b : {0, 1, 1, 0, 1, 0, 0, 0}) {
        d.push_back(b);
    }
    const std::string eight = Path("eight.bmp");
    Write(eight, d);
    TBitmap bitmap;
    TBitmap::LoadFromFile(bitmap, eight);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 1), clRed);  // first stored row is the bottom
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), RGB(30, 20, 10));
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), RGB(30, 20, 10));
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), clRed);

    // 32-bit top-down.
    auto t = Header(2, -2, 32, 0, 16);
    for (std::uint8_t b : {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}) {
        t.push_back(b);
    }
    const std::string top = Path("top.bmp");
    Write(top, t);
    TBitmap::LoadFromFile(bitmap, top);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), RGB(3, 2, 1));
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), RGB(12, 11, 10));
}

TEST_F(BmpFile, MalformedFilesThrowAndKeepTheBitmap) {
    TBitmap bitmap(2, 2);
    bitmap.Canvas().SetPixel(0, 0, clRed);
    auto expectThrow = [&](const std::vector<std::uint8_t>& bytes, const char* what) {
        const std::string path = Path("bad.bmp");
        Write(path, bytes);
        EXPECT_THROW(TBitmap::LoadFromFile(bitmap, path), std::runtime_error) << what;
        EXPECT_EQ(bitmap.Width(), 2) << what;
        EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed) << what;
    };
    expectThrow({}, "empty");
    expectThrow({'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "not a bitmap");
    auto truncated = Header(100, 100, 24, 0, 30000);
    truncated.resize(truncated.size() + 50);
    expectThrow(truncated, "pixel data missing");
    auto huge = Header(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 0);
    expectThrow(huge, "absurd size");
    auto depth = Header(1, 1, 16, 0, 4);
    depth.resize(depth.size() + 4);
    expectThrow(depth, "16-bit");
    auto palette = Header(2, 1, 8, 300, 4);
    expectThrow(palette, "palette larger than 8 bits allow");
    auto index = Header(2, 1, 8, 1, 4);
    for (std::uint8_t b : {0, 0, 0, 0, 0, 5, 0, 0}) {
        index.push_back(b);
    }
    expectThrow(index, "index outside the palette");
    auto headerOnly = Header(1, 1, 24, 0, 4);
    headerOnly.resize(20);
    expectThrow(headerOnly, "cut inside the header");

    try {
        TBitmap::LoadFromFile(bitmap, Path("missing.bmp"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("missing.bmp"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find(std::strerror(ENOENT)), std::string::npos);
    }
}

}  // namespace
}  // namespace liquidus
