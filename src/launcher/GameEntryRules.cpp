#include "GameEntryRules.h"

#include <array>

namespace {

constexpr std::array<GameEntryRule, 48> kRules{{
    {"platcommon", "login.php", ""},
    {"baidu", "login_game_for_general", ""},
    {"37wan", "login.php", ""},
    {"liebao", "login.php", ""},
    {"6711", "login.php", ""},
    {"360", "login.php", ""},
    {"rediruri", "play.htm", ""},
    {"sogou", "PlayGame?", ""},
    {"5599", "ly/login.php", ""},
    {"fx", "login.php", ""},
    {"qd", "login.php", ""},
    {"yy", "login.do", ""},
    {"lhh", "login.php", ""},
    {"fh", "a=entergame", ""},
    {"17hihi", "login.php", ""},
    {"265g", "indexlink1", ""},
    {"522g", "login.php", ""},
    {"655a", "login.php", ""},
    {"8090", "game.php", "login.php"},
    {"npcka", "login.php", ""},
    {"yd", "indexlink1", ""},
    {"3937", "login.php", ""},
    {"dahei", "login.php", ""},
    {"679", "login.php", "indexlink1"},
    {"wa3", "login.php", ""},
    {"y261", "login.php", ""},
    {"3737g", "login.php", ""},
    {"eq", "login.php", ""},
    {"v1", "playing.shtml", ""},
    {"wxf", "user/go/sid/", ""},
    {"wan669", "login.php", ""},
    {"lcyx", "login.php", ""},
    {"ppwan", "login.php", ""},
    {"6rooms", "entergame.php", ""},
    {"592hi", "login.php", ""},
    {"360uu", "g.asp", ""},
    {"996you", "game/game.php", ""},
    {"yxz", "game/game.php", ""},
    {"5132", "game/game.php", ""},
    {"8688", "login.php", ""},
    {"hsj", "login.php", ""},
    {"766z", "game/game.php", ""},
    {"879wan", "game/game.php", ""},
    {"bigzhu", "login.php", ""},
    {"wan899", "login.php", ""},
    {"9166wan", "login.php", ""},
    {"593yx", "login.php", ""},
    {"99yx", "login_server", ""},
}};

}  // namespace

std::span<const GameEntryRule> GameEntryRuleTable() { return kRules; }

bool IsGameEntryAddress(const std::string& platformKey, const std::string& address) {
    for (const GameEntryRule& rule : kRules) {
        if (platformKey != rule.platformKey) {
            continue;
        }
        if (address.find(rule.firstFragment) != std::string::npos) {
            return true;
        }
        return !rule.secondFragment.empty() && address.find(rule.secondFragment) != std::string::npos;
    }
    return false;
}
