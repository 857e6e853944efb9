// The program's texts are Windows-1251 bytes whatever the compiler.
#include <gtest/gtest.h>

#include <cstring>

TEST(Charset, NarrowLiteralsAreWindows1251) {
    const char* word = "Глава";
    const unsigned char expected[] = {0xC3, 0xEB, 0xE0, 0xE2, 0xE0, 0x00};
    ASSERT_EQ(std::strlen(word), 5u);
    EXPECT_EQ(std::memcmp(word, expected, sizeof expected), 0);
    // Ё and ё sit outside the main Cyrillic block of the code page.
    EXPECT_EQ(static_cast<unsigned char>("Ё"[0]), 0xA8);
    EXPECT_EQ(static_cast<unsigned char>("ё"[0]), 0xB8);
    EXPECT_EQ(static_cast<unsigned char>("я"[0]), 0xFF);
}
