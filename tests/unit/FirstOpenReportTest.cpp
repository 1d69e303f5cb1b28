#include "HeadlessFixture.h"
#include "report/FirstOpenReport.h"

namespace {

using namespace std::chrono;

struct ReportCase {
    const char* name;
    std::string settingsFile;
    bool reports;
    friend void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }
};

class FirstOpenReportTest : public HeadlessFixture, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(FirstOpenReportTest, ReportsOnlyForBaiduWithAnAddressAndNoMark) {
    WriteSettingsFile(GetParam().settingsFile);
    AppSettings::Instance().SetDefaults();
    ReportFirstOpen();
    EXPECT_EQ(backend.fetches.size(), GetParam().reports ? 1u : 0u);
    backend.FinishFetches();
    const bool marked = ReadSettingsFile().ends_with("\r\nfirstopen=false");
    EXPECT_EQ(marked, GetParam().reports) << "marked exactly when reported";
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, FirstOpenReportTest,
    ::testing::Values(ReportCase{"baidu_with_address", "platform=baidu\nsuccess=http://r/open?g=v\n", true},
                      ReportCase{"capital_b", "platform=Baidu\nsuccess=http://r/open?g=v\n", false},
                      ReportCase{"default_platform", "success=http://r/open?g=v\n", false},
                      ReportCase{"already_marked", "platform=baidu\nsuccess=http://r/open?g=v\nfirstopen=false", false},
                      ReportCase{"mark_in_capitals_still_reports",
                                 "platform=baidu\nsuccess=http://r/open?g=v\nfirstopen=FALSE\n", true},
                      ReportCase{"no_address", "platform=baidu\n", false}),
    CaseName());

TEST_F(HeadlessFixture, ReportAddressUserAgentAndMarkAfterTheRequest) {
    WriteSettingsFile("platform=baidu\nsuccess=http://r/open?g=v\n");
    backend.adapters = std::vector{platform::NetworkAdapter{"eth0", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, false}};
    backend.now = system_clock::time_point(hours(24 * 20000) + hours(23) + minutes(5) + seconds(9));
    COrvexClientApp app;
    AppSettings::Instance().SetDefaults();
    ReportFirstOpen();
    ASSERT_EQ(backend.fetches.size(), 1u);
    EXPECT_EQ(backend.fetches[0].address, "http://r/open?g=v&mac=001A2B3C4D5E&time=07:05:09 GMT+0800");
    EXPECT_EQ(backend.fetches[0].userAgent, "orvex-client");
    EXPECT_EQ(backend.fetches[0].timeout, seconds(10));
    EXPECT_EQ(ReadSettingsFile(), "platform=baidu\nsuccess=http://r/open?g=v\n") << "nothing before the request ends";
    backend.FinishFetches();
    EXPECT_EQ(ReadSettingsFile(), "platform=baidu\nsuccess=http://r/open?g=v\n\r\nfirstopen=false");
}

TEST_F(HeadlessFixture, ReportWithoutAdapterKeepsAnEmptyMac) {
    WriteSettingsFile("platform=baidu\nsuccess=http://r/open?g=v\n");
    backend.adapters = std::nullopt;
    AppSettings::Instance().SetDefaults();
    ReportFirstOpen();
    ASSERT_EQ(backend.fetches.size(), 1u);
    EXPECT_NE(backend.fetches[0].address.find("&mac=&time="), std::string::npos);
}

TEST(FormatReportTime, ShiftsToUtcPlusEight) {
    const auto at = [](int h, int m, int s) {
        return system_clock::time_point(hours(24 * 19000) + hours(h) + minutes(m) + seconds(s));
    };
    EXPECT_EQ(FormatReportTime(at(23, 5, 9)), "07:05:09 GMT+0800");
    EXPECT_EQ(FormatReportTime(at(1, 2, 3)), "09:02:03 GMT+0800");
    EXPECT_EQ(FormatReportTime(at(16, 0, 0)), "00:00:00 GMT+0800");
    EXPECT_EQ(FormatReportTime(at(15, 59, 59)), "23:59:59 GMT+0800");
    EXPECT_EQ(FormatReportTime(system_clock::time_point(seconds(-1))), "07:59:59 GMT+0800");
}

}  // namespace
