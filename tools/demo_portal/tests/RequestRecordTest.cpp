#include "RequestRecord.h"

#include <gtest/gtest.h>

#include <optional>

#include "SessionBook.h"

using demo_portal::RequestRecord;
using demo_portal::SessionBook;

TEST(RequestRecord, QueryValueDecodesTheFirstOccurrence) {
    RequestRecord record;
    record.query = "game=varnholt&mac=001122AABBCC&time=10:00:00%20GMT+0800&zone=%2B0800&name=a+b&flag&game=other";
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"game", "varnholt"},
        {"mac", "001122AABBCC"},
        {"time", "10:00:00 GMT+0800"},
        {"zone", "+0800"},
        {"name", "a+b"},
        {"flag", ""},
        {"missing", std::nullopt},
        {"ga", std::nullopt},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(record.QueryValue(name), expected) << name;
    }
}

TEST(RequestRecord, HasCookieMatchesWholeNames) {
    RequestRecord record;
    record.cookie = "theme=dark; varnholt_session=abc;  lang=zh";
    EXPECT_TRUE(record.HasCookie("varnholt_session"));
    EXPECT_TRUE(record.HasCookie("lang"));
    EXPECT_FALSE(record.HasCookie("session"));
    EXPECT_FALSE(RequestRecord{}.HasCookie("varnholt_session"));
}

TEST(SessionBook, TokensAreFreshAndFoundThroughTheCookieHeader) {
    SessionBook book;
    const std::string first = book.Open({"hero", "S1"});
    const std::string second = book.Open({"hero", "S1"});
    EXPECT_NE(first, second);
    EXPECT_GE(first.size(), 16u);
    const auto found = book.FindByCookieHeader("a=1; varnholt_session=" + second + "; b=2");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->account, "hero");
    EXPECT_FALSE(book.FindByCookieHeader("varnholt_session=forged").has_value());
    EXPECT_FALSE(book.FindByCookieHeader("other_varnholt_session=" + first).has_value());
    EXPECT_FALSE(book.FindByCookieHeader("").has_value());
}
