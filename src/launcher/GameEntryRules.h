#pragma once

#include <string>
#include <span>
#include <string_view>

struct GameEntryRule {
    std::string_view platformKey;
    std::string_view firstFragment;
    std::string_view secondFragment;  // empty when the rule has one fragment
};

// The rule table, in test order.
std::span<const GameEntryRule> GameEntryRuleTable();

// True when the rule of exactly this platform key finds one of its fragments anywhere in
// the address (case-sensitive, no decoding).
bool IsGameEntryAddress(const std::string& platformKey, const std::string& address);
