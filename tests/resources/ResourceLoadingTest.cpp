// The resources as the game reaches them: linked into this program from VantorPoker.rc and
// loaded with the same calls the game makes.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "ResourceIds.h"

namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

struct BitmapCase {
    int id;
    int width;
    int height;
};

const BitmapCase kBitmaps[] = {
    {IDB_CARD_SHEET, 1260, 508},
    {IDB_PAY_TABLE, 286, 76},
    {IDB_LOGO, 200, 50},
    {IDB_ABOUT_LOGO, 163, 50},
};

HBITMAP LoadSectionBitmap(int id) {
    return static_cast<HBITMAP>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

TEST(EmbeddedBitmaps, LoadAsSectionsOfTheirOwnSize) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE("bitmap " + std::to_string(c.id));
        const HBITMAP bitmap = LoadSectionBitmap(c.id);
        ASSERT_NE(bitmap, nullptr) << "error " << GetLastError();
        DIBSECTION section = {};
        EXPECT_EQ(GetObjectW(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_EQ(section.dsBm.bmWidth, c.width);
        EXPECT_EQ(section.dsBm.bmHeight, c.height);
        EXPECT_EQ(section.dsBmih.biBitCount, 8);
        DeleteObject(bitmap);
    }
}

// What the card views will see once the sheet is selected into a device context: the corners
// of every card are the black that the transparent copy leaves out, the middle is not.
TEST(EmbeddedBitmaps, CardSheetCellsHaveBlackCornersAndOpaqueMiddles) {
    const HBITMAP sheet = LoadSectionBitmap(IDB_CARD_SHEET);
    ASSERT_NE(sheet, nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const HGDIOBJ previous = SelectObject(dc, sheet);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 14; ++column) {
            SCOPED_TRACE("column " + std::to_string(column) + ", row " + std::to_string(row));
            const int x = column * 90;
            const int y = row * 127;
            EXPECT_EQ(GetPixel(dc, x, y), RGB(0, 0, 0));
            EXPECT_EQ(GetPixel(dc, x + 89, y + 126), RGB(0, 0, 0));
            const bool card = column < 13 || row == 0;
            EXPECT_EQ(GetPixel(dc, x + 45, y + 3) != RGB(0, 0, 0), card) << "top edge";
            EXPECT_EQ(GetPixel(dc, x + 2, y + 63) != RGB(0, 0, 0), card) << "left edge";
        }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(sheet);
}

TEST(WinSound, IsAWaveResourceThatPlaySoundAccepts) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDW_WIN_SOUND), L"WAVE");
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(nullptr, found);
    // 44 header bytes and 0.3 to 0.8 s of 4-byte frames at 44 100 Hz.
    EXPECT_GE(size, 44u + 13230u * 4u);
    EXPECT_LE(size, 44u + 35280u * 4u);
    const void* bytes = LockResource(LoadResource(nullptr, found));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(static_cast<const char*>(bytes) + 8, "WAVE", 4), 0);
    // With no sound device the sound is not heard, but the asynchronous call still accepts it.
    EXPECT_TRUE(PlaySoundW(MAKEINTRESOURCEW(IDW_WIN_SOUND), Self(), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
    PlaySoundW(nullptr, nullptr, 0);
}

TEST(AppIcon, HasAnImageOfEachSize) {
    // The group directory must name an image of exactly each size: LoadImageW alone would
    // scale another one.
    const HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(IDI_APP_ICON), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto directory = static_cast<PBYTE>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(directory, nullptr);
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(std::to_string(size) + " pixels");
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        const HRSRC image = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_NE(image, nullptr);
        const auto header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(header->biWidth, size);

        const HICON icon = static_cast<HICON>(LoadImageW(Self(), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour = {};
        EXPECT_NE(GetObjectW(info.hbmColor, sizeof colour, &colour), 0);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

class VersionBlock : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t path[MAX_PATH] = {};
        ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &handle);
        ASSERT_NE(size, 0u) << "no version block";
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
    }

    // A string of the first translation the block lists.
    std::wstring Text(const wchar_t* name) {
        struct Translation {
            WORD language;
            WORD codePage;
        }* translation = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
            length < sizeof *translation)
            return L"<no translation>";
        wchar_t key[128];
        swprintf(key, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->codePage, name);
        wchar_t* value = nullptr;
        if (!VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&value), &length) || value == nullptr)
            return L"<missing>";
        return value;
    }

    std::vector<BYTE> block;
};

TEST_F(VersionBlock, CarriesVersionOnePointOne) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
}

TEST_F(VersionBlock, NamesTheProduct) {
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"ProductName", L"VantorPoker"},         {L"FileVersion", L"1.1.0.0"},
        {L"ProductVersion", L"1.1.0.0"},          {L"FileDescription", L"Vantor Poker"},
        {L"OriginalFilename", L"VantorPoker.exe"}, {L"InternalName", L"VantorPoker"},
    };
    for (const auto& s : strings) EXPECT_EQ(Text(s.name), s.value) << s.name;
    for (const wchar_t* name : {L"CompanyName", L"LegalCopyright"}) {
        const std::wstring text = Text(name);
        EXPECT_FALSE(text.empty() || text[0] == L'<') << name;
    }
}

TEST(Manifest, AsksForTheInvokersExecutionLevel) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const auto text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_NE(text, nullptr);
    const std::string manifest(text, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
}

}  // namespace
