#include "HeadlessFixture.h"
#include "app/AdapterAddress.h"

namespace {

using platform::NetworkAdapter;

struct AdapterCase {
    const char* name;
    std::optional<std::vector<NetworkAdapter>> adapters;
    std::string expected;
    friend void PrintTo(const AdapterCase& c, std::ostream* os) { *os << c.name; }
};

class AdapterAddressTest : public HeadlessFixture, public ::testing::WithParamInterface<AdapterCase> {};

TEST_P(AdapterAddressTest, FormatsTheFirstUsableAdapter) {
    backend.adapters = GetParam().adapters;
    EXPECT_EQ(GetAdapterAddressText(), GetParam().expected);
}

const NetworkAdapter kLoopback{"lo", {0, 0, 0, 0, 0, 0}, true};
const NetworkAdapter kFirst{"eth0", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, false};
const NetworkAdapter kSecond{"wlan0", {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01}, false};
const NetworkAdapter kTunnel{"tun0", {}, false};
const NetworkAdapter kInfiniband{"ib0", std::vector<std::uint8_t>(20, 0xAB), false};

INSTANTIATE_TEST_SUITE_P(
    Adapters, AdapterAddressTest,
    ::testing::Values(AdapterCase{"upper_case_hex", std::vector{kFirst}, "001A2B3C4D5E"},
                      AdapterCase{"first_listed_wins", std::vector{kSecond, kFirst}, "DEADBEEF0001"},
                      AdapterCase{"loopback_and_odd_lengths_skipped",
                                  std::vector{kLoopback, kTunnel, kInfiniband, kFirst}, "001A2B3C4D5E"},
                      AdapterCase{"none", std::vector<NetworkAdapter>{}, ""},
                      AdapterCase{"only_loopback", std::vector{kLoopback}, ""},
                      AdapterCase{"query_fails", std::nullopt, ""}),
    CaseName());

TEST_F(HeadlessFixture, AdapterAddressIsAskedAnewAtEveryCall) {
    backend.adapters = std::vector{kFirst};
    EXPECT_EQ(GetAdapterAddressText(), "001A2B3C4D5E");
    backend.adapters = std::vector{kSecond};
    EXPECT_EQ(GetAdapterAddressText(), "DEADBEEF0001");
    EXPECT_EQ(backend.adapterQueries, 2);
}

}  // namespace
