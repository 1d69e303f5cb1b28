#include <gtest/gtest.h>

#include "launcher/GameEntryRules.h"

namespace {

// Written out independently of the rule table so that a typo in either shows.
struct RuleCase {
    const char* key;
    const char* matching;
    const char* notMatching;
};

constexpr RuleCase kEveryKey[] = {
    {"platcommon", "http://g/login.php?s=1", "http://g/login.phtml"},
    {"baidu", "http://g/login_game_for_general?x", "http://g/login_game_for_genera"},
    {"37wan", "http://g/login.php", "http://g/login_php"},
    {"liebao", "http://g/a/login.php", "http://g/LOGIN.PHP"},
    {"6711", "http://g/login.php?sid=2", "http://g/logon.php"},
    {"360", "http://g/login.php", "http://g/login.ph"},
    {"rediruri", "http://g/game/play.html?server_id=S1", "http://g/game/PLAY.HTML"},
    {"sogou", "http://g/PlayGame?sid=1", "http://g/PlayGame/1"},
    {"5599", "http://g/ly/login.php", "http://g/login.php"},
    {"fx", "http://g/login.php", "http://g/play.htm"},
    {"qd", "http://g/login.php", "http://g/index"},
    {"yy", "http://g/login.do?a", "http://g/login.php"},
    {"lhh", "http://g/login.php", "http://g/l.php"},
    {"fh", "http://g/?a=entergame&s=1", "http://g/?a=enter"},
    {"17hihi", "http://g/login.php", "http://g/"},
    {"265g", "http://g/indexlink1.html", "http://g/indexlink2"},
    {"522g", "http://g/login.php", "http://g/login"},
    {"655a", "http://g/login.php", "http://g/login.PHP"},
    {"8090", "http://g/game.php", "http://g/game.html"},
    {"npcka", "http://g/login.php", "http://g/x.php"},
    {"yd", "http://g/indexlink1", "http://g/indexlink"},
    {"3937", "http://g/login.php", "http://g/"},
    {"dahei", "http://g/login.php", "http://g/"},
    {"679", "http://g/indexlink1", "http://g/game.php"},
    {"wa3", "http://g/login.php", "http://g/"},
    {"y261", "http://g/login.php", "http://g/"},
    {"3737g", "http://g/login.php", "http://g/"},
    {"eq", "http://g/login.php", "http://g/"},
    {"v1", "http://g/playing.shtml", "http://g/playing.html"},
    {"wxf", "http://g/user/go/sid/7", "http://g/user/go/sid"},
    {"wan669", "http://g/login.php", "http://g/"},
    {"lcyx", "http://g/login.php", "http://g/"},
    {"ppwan", "http://g/login.php", "http://g/"},
    {"6rooms", "http://g/entergame.php", "http://g/entergame.html"},
    {"592hi", "http://g/login.php", "http://g/"},
    {"360uu", "http://g/g.asp?id=1", "http://g/gasp"},
    {"996you", "http://g/game/game.php", "http://g/game.php"},
    {"yxz", "http://g/game/game.php", "http://g/games/game.php"},
    {"5132", "http://g/game/game.php", "http://g/game/"},
    {"8688", "http://g/login.php", "http://g/"},
    {"hsj", "http://g/login.php", "http://g/"},
    {"766z", "http://g/game/game.php", "http://g/game/game.ph"},
    {"879wan", "http://g/game/game.php", "http://g/Game/game.php"},
    {"bigzhu", "http://g/login.php", "http://g/"},
    {"wan899", "http://g/login.php", "http://g/"},
    {"9166wan", "http://g/login.php", "http://g/"},
    {"593yx", "http://g/login.php", "http://g/"},
    {"99yx", "http://g/login_server?id=3", "http://g/login_serve"},
};

TEST(GameEntryRules, EveryKeyMatchesItsFragmentAndNothingElse) {
    ASSERT_EQ(GameEntryRuleTable().size(), std::size(kEveryKey));
    for (const RuleCase& rule : kEveryKey) {
        EXPECT_TRUE(IsGameEntryAddress(rule.key, rule.matching)) << rule.key << " " << rule.matching;
        EXPECT_FALSE(IsGameEntryAddress(rule.key, rule.notMatching)) << rule.key << " " << rule.notMatching;
    }
}

struct AddressCase {
    const char* name;
    std::string key;
    std::string address;
    bool matches;
    friend void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }
};

class GameEntryAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(GameEntryAddressTest, ExactCaseSensitiveSubstringRules) {
    EXPECT_EQ(IsGameEntryAddress(GetParam().key, GetParam().address), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, GameEntryAddressTest,
    ::testing::Values(
        AddressCase{"key_with_capital", "Baidu", "http://g/login_game_for_general", false},
        AddressCase{"key_with_leading_space", " baidu", "http://g/login_game_for_general", false},
        AddressCase{"key_with_trailing_space", "baidu ", "http://g/login_game_for_general", false},
        AddressCase{"fragment_in_capitals", "rediruri", "http://g/PLAY.HTM", false},
        AddressCase{"fragment_in_host", "rediruri", "http://play.htm.example/", true},
        AddressCase{"fragment_percent_encoded", "rediruri", "http://g/play%2Ehtm", false},
        AddressCase{"sogou_needs_question_mark", "sogou", "http://g/PlayGame", false},
        AddressCase{"8090_second_fragment", "8090", "http://g/login.php", true},
        AddressCase{"679_first_fragment", "679", "http://g/login.php", true},
        AddressCase{"platcommon_in_query_string", "platcommon", "http://g/sso?return=%2Flogin.php", true},
        AddressCase{"platcommon_plain_in_query", "platcommon", "http://g/sso?next=/login.php&x=1", true},
        AddressCase{"unknown_key", "unknown", "http://g/login.php", false},
        AddressCase{"empty_key", "", "http://g/login.php", false},
        AddressCase{"empty_address", "rediruri", "", false},
        AddressCase{"about_blank", "rediruri", "about:blank", false},
        AddressCase{"invalid_utf8_around_fragment", "rediruri", "http://g/\xC3\x28play.htm\xFF", true},
        AddressCase{"one_mebibyte_address", "rediruri", std::string(1 << 20, 'a') + "play.htm", true},
        AddressCase{"one_mebibyte_without_fragment", "rediruri", std::string(1 << 20, 'p'), false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
