#ifdef _WIN32
#include "platform/Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// A key of the test's own under HKEY_CURRENT_USER, deleted with its values.
class RegistryTestKey {
public:
    RegistryTestKey() {
        path_ = "Software\\Quillset Tests\\Registry" + std::to_string(GetCurrentProcessId());
        RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    }
    ~RegistryTestKey() {
        if (key_ != nullptr)
            RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quillset Tests");
    }
    RegistryTestKey(const RegistryTestKey&) = delete;
    RegistryTestKey& operator=(const RegistryTestKey&) = delete;

    bool isOpen() const { return key_ != nullptr; }
    const char* path() const { return path_.c_str(); }
    // Stores length bytes of text: with or without its terminator.
    void setText(const char* name, const char* text, DWORD length, DWORD type = REG_SZ) {
        RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(text), length);
    }
    void setNumber(const char* name, DWORD number) {
        RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }

private:
    std::string path_;
    HKEY key_ = nullptr;
};

TEST(Registry, ReadsTextValuesThatFit) {
    RegistryTestKey key;
    ASSERT_TRUE(key.isOpen());
    key.setText("Text", "C:\\Palm", 8);
    key.setText("Expandable", "%WINDIR%", 9, REG_EXPAND_SZ);

    char buffer[8];
    EXPECT_EQ(RegistryReadResult::Found, readCurrentUserString(key.path(), "Text", buffer, sizeof buffer));
    EXPECT_STREQ("C:\\Palm", buffer);
    EXPECT_EQ(RegistryReadResult::TooLong, readCurrentUserString(key.path(), "Text", buffer, 7));
    EXPECT_STREQ("", buffer);

    char wide[32];
    EXPECT_EQ(RegistryReadResult::Found, readCurrentUserString(key.path(), "Expandable", wide, sizeof wide));
    EXPECT_STREQ("%WINDIR%", wide);
}

TEST(Registry, TextStoredWithoutTerminatorIsTerminatedOrTooLong) {
    RegistryTestKey key;
    ASSERT_TRUE(key.isOpen());
    key.setText("Bare", "C:\\Palm", 7);

    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(RegistryReadResult::Found, readCurrentUserString(key.path(), "Bare", buffer, 8));
    EXPECT_STREQ("C:\\Palm", buffer);
    EXPECT_EQ(RegistryReadResult::TooLong, readCurrentUserString(key.path(), "Bare", buffer, 7));
    EXPECT_STREQ("", buffer);
}

TEST(Registry, MissingKeysValuesAndNumbersAreNotFound) {
    RegistryTestKey key;
    ASSERT_TRUE(key.isOpen());
    key.setNumber("Number", 42);

    char buffer[64] = "left over";
    EXPECT_EQ(RegistryReadResult::NotFound, readCurrentUserString(key.path(), "Absent", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(RegistryReadResult::NotFound, readCurrentUserString(key.path(), "Number", buffer, sizeof buffer));
    EXPECT_EQ(RegistryReadResult::NotFound,
              readCurrentUserString("Software\\Quillset Tests\\No Such Key", "Text", buffer, sizeof buffer));
}
#endif
