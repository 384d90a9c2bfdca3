#include "faces/images.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr unsigned char pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

std::uint32_t bigEndianAt(std::span<const unsigned char> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// The folder's name is UTF-8, which a narrow path on Windows would read in the ANSI code page.
std::vector<unsigned char> fileBytes(const std::string& relativePath) {
    const std::filesystem::path folder(u8"" POKOTAMA_ICONS_DIR);
    std::ifstream file(folder / relativePath, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

struct Picture {
    std::string_view name;
    std::uint32_t size;
    std::string file;
};

const Picture pictures[] = {
    {"pokotama16", 16, "hicolor/16x16/apps/pokotama.png"},
    {"pokotama32", 32, "hicolor/32x32/apps/pokotama.png"},
    {"pokotama48", 48, "hicolor/48x48/apps/pokotama.png"},
    {"pokotama64", 64, "hicolor/64x64/apps/pokotama.png"},
    {"pokotama128", 128, "hicolor/128x128/apps/pokotama.png"},
    {"pokotama256", 256, "hicolor/256x256/apps/pokotama.png"},
    {"about", 32, "about.png"},
};

TEST(ImageBytes, EveryPictureIsItsPngFileByteForByte) {
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const auto bytes = faces::imageBytes(picture.name);
        ASSERT_GT(bytes.size(), 24u);
        EXPECT_TRUE(std::ranges::equal(bytes.first(8), pngSignature));
        EXPECT_EQ(bigEndianAt(bytes, 16), picture.size); // IHDR width
        EXPECT_EQ(bigEndianAt(bytes, 20), picture.size); // IHDR height
        EXPECT_TRUE(std::ranges::equal(bytes, fileBytes(picture.file)));
    }
}

TEST(ImageBytes, ProgramIconNamesAreTheSizedPictures) {
    ASSERT_EQ(std::size(faces::programIconNames), 6u);
    for (std::size_t i = 0; i < faces::programIconNames.size(); ++i)
        EXPECT_EQ(faces::programIconNames[i], pictures[i].name);
}

TEST(ImageBytes, UnknownNamesGiveNothing) {
    for (const std::string_view name :
         {"", "pokotama", "Pokotama", "pokotama8", "about.png", "about "})
        EXPECT_TRUE(faces::imageBytes(name).empty()) << name;
}

} // namespace
