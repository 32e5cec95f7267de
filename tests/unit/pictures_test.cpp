// The pictures in the built executable: sizes and colour depths as the pages
// and classes need them. (The hand cursor is checked through its class.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "test_paths.h"

namespace {

class Installer {
public:
    Installer() { module_ = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE); }
    ~Installer()
    {
        if (module_)
            FreeLibrary(module_);
    }
    // The bytes of one resource, empty when it is missing.
    std::string Resource(LPCSTR type, WORD id) const
    {
        HRSRC found = module_ ? FindResourceA(module_, MAKEINTRESOURCEA(id), type) : NULL;
        HGLOBAL loaded = found ? LoadResource(module_, found) : NULL;
        const char *data = loaded ? (const char *)LockResource(loaded) : nullptr;
        return data ? std::string(data, SizeofResource(module_, found)) : std::string();
    }

private:
    HMODULE module_;
};

#pragma pack(push, 2)
struct GroupEntry {   // an entry of RT_GROUP_ICON
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

template <typename T>
bool ReadAt(const std::string &bytes, size_t offset, T *out)
{
    if (offset + sizeof(T) > bytes.size())
        return false;
    memcpy(out, bytes.data() + offset, sizeof(T));
    return true;
}

TEST(Pictures, BitmapsHaveTheirSizesAt24BitsPerPixel)
{
    Installer installer;
    const struct {
        WORD id;
        LONG width, height;
    } table[] = {{1, 164, 314}, {2, 61, 61}};
    for (const auto &t : table) {
        SCOPED_TRACE(t.id);
        BITMAPINFOHEADER header;
        ASSERT_TRUE(ReadAt(installer.Resource(RT_BITMAP, t.id), 0, &header));
        EXPECT_EQ(t.width, header.biWidth);
        EXPECT_EQ(t.height, std::abs(header.biHeight));
        EXPECT_EQ(24, header.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, header.biCompression);
    }
}

TEST(Pictures, IconHas48_32And16PixelImagesIn256Colours)
{
    Installer installer;
    std::string group = installer.Resource(RT_GROUP_ICON, 1);
    WORD header[3];
    ASSERT_TRUE(ReadAt(group, 0, &header));
    EXPECT_EQ(1, header[1]);
    ASSERT_EQ(3, header[2]);
    const int sizes[] = {48, 32, 16};
    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(sizes[i]);
        GroupEntry entry;
        ASSERT_TRUE(ReadAt(group, 6 + i * sizeof(GroupEntry), &entry));
        EXPECT_EQ(sizes[i], entry.width);
        EXPECT_EQ(sizes[i], entry.height);
        EXPECT_EQ(8, entry.bitCount);
        BITMAPINFOHEADER image;
        ASSERT_TRUE(ReadAt(installer.Resource(RT_ICON, entry.id), 0, &image));
        EXPECT_EQ(sizes[i], image.biWidth);
        EXPECT_EQ(2 * sizes[i], image.biHeight);   // colour image and mask
        EXPECT_EQ(8, image.biBitCount);
    }
}

}  // namespace
