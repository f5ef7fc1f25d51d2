// The version resource, read as Explorer reads it for the file's properties: the texts arrive
// whole (the resource script is UTF-8) and the numbers are the project's version.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(VersionInfo, PropertiesNameTheProductItsVersionAndCopyright) {
    // The test program carries the same resources as Vandrel.exe.
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(path, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 7)); // 7.0
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 7));

    const auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
            return std::wstring(L"<missing>");
        return std::wstring(value);
    };
    EXPECT_EQ(text(L"ProductName"), L"Vandrel");
    EXPECT_EQ(text(L"FileDescription"), L"Vandrel 桌面时钟与定时任务");
    EXPECT_EQ(text(L"FileVersion"), L"7.0");
    EXPECT_EQ(text(L"ProductVersion"), L"7.0");
    EXPECT_EQ(text(L"OriginalFilename"), L"Vandrel.exe");
    // Set when configuring (VANDREL_COPYRIGHT); a placeholder of ours by default.
    EXPECT_NE(text(L"LegalCopyright"), L"<missing>");
    EXPECT_FALSE(text(L"LegalCopyright").empty());
}
