#include "core/cp932.h"
#include "core/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kakutei {
namespace {

TEST(Cp932, WindowsCharactersRoundTrip) {
    for (const char* text :
         {"山田太郎", "①②", "～", "－", "髙橋", "﨑", "ｶﾀｶﾅ", "東京都千代田区1-2,3", "ⅰⅱ"}) {
        const Cp932Encoding encoded = encodeCp932(text);
        ASSERT_TRUE(encoded.ok()) << text;
        EXPECT_EQ(decodeCp932(encoded.bytes), text);
    }
}

TEST(Cp932, KnownBytes) {
    EXPECT_EQ(encodeCp932("～").bytes, "\x81\x60");
    EXPECT_EQ(encodeCp932("髙").bytes, "\xFB\xFC");
    EXPECT_EQ(encodeCp932("予備1").bytes, "\x97\x5C\x94\xF5"
                                          "1");
}

TEST(Cp932, InputMethodSiblingsAreStoredAsTheirCp932Form) {
    // The wave dash that input methods type reads back as the full-width tilde: same glyph on every screen.
    EXPECT_EQ(encodeCp932("1〜3").bytes, "1\x81\x60"
                                         "3");
    EXPECT_EQ(encodeCp932("−").bytes, "\x81\x7C");
}

TEST(Cp932, UnstorableCharactersAreNamed) {
    struct Case {
        const char* text;
        char32_t offending;
    } cases[] = {
        {"𠮷野家", U'𠮷'}, // outside CP932
        {"田中😀", U'😀'},
        {"¥100", U'¥'}, // would come back as a backslash
        {"abc\xEF\xBF\xBD", kReplacementCharacter},
    };
    for (const Case& c : cases) {
        const Cp932Encoding encoded = encodeCp932(c.text);
        EXPECT_FALSE(encoded.ok()) << c.text;
        EXPECT_EQ(encoded.unstorable, c.offending) << c.text;
        EXPECT_TRUE(encoded.bytes.empty());
    }
}

TEST(Cp932, InvalidBytesDecodeAsReplacementCharacters) {
    EXPECT_EQ(decodeCp932("a\x80"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(decodeCp932("\x82"), "\xEF\xBF\xBD"); // a lead byte cut off at the end
    EXPECT_EQ(decodeCp932(std::string("x\0y", 3)), std::string("x\0y", 3));
}

// Every character the program can store, and what every pair of bytes reads as, summed up in two digests:
// the same on every platform, so a file written on one reads the same on the other. A change here means a
// character would be stored or read differently from the files already on people's disks.
std::uint64_t digest(std::string_view bytes, std::uint64_t hash = 14695981039346656037ull) {
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

TEST(Cp932, EveryCharacterEncodesAndEveryPairDecodesAsRecorded) {
    std::uint64_t encoded = digest("");
    int storable = 0;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string utf8;
        appendUtf8(utf8, c);
        const Cp932Encoding result = encodeCp932(utf8);
        encoded = digest(result.unstorable ? std::string_view("-") : std::string_view(result.bytes), encoded);
        storable += result.unstorable ? 0 : 1;
    }
    std::uint64_t decoded = digest("");
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        decoded = digest(decodeCp932(std::string(1, static_cast<char>(lead))), decoded);
        for (int trail = 0x40; trail <= 0xFF; ++trail)
            decoded =
                digest(decodeCp932(std::string{static_cast<char>(lead), static_cast<char>(trail)}), decoded);
    }
    EXPECT_EQ(storable, 9276);
    EXPECT_EQ(encoded, 11170745203639730025u);
    EXPECT_EQ(decoded, 17034228578774552388u);
}

TEST(Utf8, CountsAndCutsByCharacters) {
    EXPECT_EQ(characterCount("東京都"), 3u);
    EXPECT_EQ(lastCharacters("H16", 2), "16");
    EXPECT_EQ(lastCharacters("平成16", 2), "16");
    EXPECT_EQ(firstCharacters("東京都港区", 3), "東京都");
    EXPECT_EQ(toHalfWidthAscii("１２３，－．ａ　"), "123,-.a ");
    EXPECT_EQ(characterCount("\xFF\xFE"), 2u); // malformed bytes count one each
}

} // namespace
} // namespace kakutei
