#include <sys/stat.h>

#include "HeadlessFixture.h"

namespace {

using namespace std::string_literals;
using platform::NetworkAdapter;

class SettingsTest : public HeadlessFixture {
protected:
    AppSettings& settings = AppSettings::Instance();
};

TEST_F(SettingsTest, EmptyBeforeDefaultsThenBuiltInValues) {
    EXPECT_EQ(settings.GetValue("platform"), "");
    EXPECT_EQ(settings.GetValue("page"), "");
    settings.SetDefaults();
    EXPECT_EQ(settings.GetValue("platform"), "rediruri");
    EXPECT_EQ(settings.GetValue("airclient"), "false");
    EXPECT_NE(settings.GetValue("page").find('?'), std::string::npos) << "the page must carry a query part";
    for (const char* key : {"page", "home", "service", "bbs", "charge"}) {
        EXPECT_NE(settings.GetValue(key).find(".example/"), std::string::npos) << key;
    }
    EXPECT_EQ(settings.GetValue("Platform"), "") << "keys are case-sensitive";
    EXPECT_EQ(settings.GetValue("firstopen"), "");
    EXPECT_EQ(settings.GetValue("success"), "");
    EXPECT_EQ(settings.GetModuleDirectory(), InstallDirectory().string());
}

TEST_F(SettingsTest, AppendWritesOneCrLfRecordAndKeepsTheMap) {
    WriteSettingsFile("platform=baidu");
    settings.SetDefaults();
    settings.AppendValue("firstopen", "false");
    EXPECT_EQ(ReadSettingsFile(), "platform=baidu\r\nfirstopen=false");
    EXPECT_EQ(settings.GetValue("firstopen"), "") << "appending leaves the store unchanged";
}

TEST_F(SettingsTest, AppendNeverCreatesTheFile) {
    settings.AppendValue("firstopen", "false");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(SettingsTest, AppendToReadOnlyFileWritesNothing) {
    WriteSettingsFile("platform=baidu\r\n");
    ::chmod(SettingsPath().c_str(), 0444);
    settings.AppendValue("firstopen", "false");
    EXPECT_EQ(ReadSettingsFile(), "platform=baidu\r\n");
}

struct FileCase {
    const char* name;
    std::string content;
    std::vector<std::pair<std::string, std::string>> expected;  // key, value after SetDefaults
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

class SettingsFileTest : public SettingsTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(SettingsFileTest, FileLinesWinOverDefaults) {
    WriteSettingsFile(GetParam().content);
    settings.SetDefaults();
    for (const auto& [key, value] : GetParam().expected) {
        EXPECT_EQ(settings.GetValue(key), value) << key;
    }
    EXPECT_EQ(ReadSettingsFile(), GetParam().content) << "reading never rewrites the file";
}

const std::string kDefaultHome = "https://www.varnholt.example/";

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileTest,
    ::testing::Values(
        FileCase{"crlf_and_later_line_wins", "platform=baidu\r\nplatform=360\r\nsuccess=http://r/?a=1\r\n",
                 {{"platform", "360"}, {"success", "http://r/?a=1"}, {"home", kDefaultHome}}},
        FileCase{"bom_sections_comments_blank_lines",
                 "\xEF\xBB\xBF[client]\n; platform=6711\n# home=x\n\n  \nno equals sign\nhome = http://h/ \n",
                 {{"platform", "rediruri"}, {"home", "http://h/"}}},
        FileCase{"appended_records_are_read_back", "\r\nfirstopen=false", {{"firstopen", "false"}}},
        FileCase{"value_may_contain_equals", "page=http://p/login?a=1&b=2", {{"page", "http://p/login?a=1&b=2"}}},
        FileCase{"keys_stay_case_sensitive", "Platform=baidu\n", {{"platform", "rediruri"}, {"Platform", "baidu"}}},
        FileCase{"nul_bytes_and_invalid_utf8_lines_skipped",
                 "platform=ba\0idu\nhome=\xC3\x28\nbbs=\xED\xA0\x80\ncharge=http://c/\n"s,
                 {{"platform", "rediruri"}, {"home", kDefaultHome}, {"charge", "http://c/"}}},
        FileCase{"binary_garbage", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xFE=\x01\x02"s,
                 {{"platform", "rediruri"}, {"home", kDefaultHome}}},
        FileCase{"one_mebibyte_line", "home=" + std::string(1 << 20, 'a') + "\nplatform=yy\n",
                 {{"platform", "yy"}, {"home", std::string(1 << 20, 'a')}}},
        FileCase{"utf8_values_kept", "service=http://s/客服\n", {{"service", "http://s/客服"}}}),
    CaseName());

TEST_F(SettingsTest, UnusableFilesLeaveTheDefaults) {
    // A directory in the file's place, then a file nobody may read.
    std::filesystem::create_directory(SettingsPath());
    settings.SetDefaults();
    EXPECT_EQ(settings.GetValue("platform"), "rediruri");
    std::filesystem::remove(SettingsPath());

    settings.ResetForTests();
    WriteSettingsFile("platform=baidu\n");
    ::chmod(SettingsPath().c_str(), 0);
    settings.SetDefaults();
    EXPECT_EQ(settings.GetValue("platform"), "rediruri");
    settings.AppendValue("firstopen", "false");
    ::chmod(SettingsPath().c_str(), 0600);
    EXPECT_EQ(ReadSettingsFile(), "platform=baidu\n");
}

TEST_F(SettingsTest, BaiduStartPageCarriesTheAdapterAddress) {
    WriteSettingsFile("platform=baidu\npage=http://p/login?game=v\n");
    settings.SetDefaults();
    backend.adapters = std::vector{NetworkAdapter{"eth0", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, false}};
    EXPECT_EQ(settings.GetStartPage(), "http://p/login?game=v&mac=001A2B3C4D5E");
    backend.adapters = std::vector<NetworkAdapter>{};
    EXPECT_EQ(settings.GetStartPage(), "http://p/login?game=v&mac=");
}

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string expected;
    friend void PrintTo(const ArgumentsCase& c, std::ostream* os) { *os << c.name; }
};

class Start360PageTest : public SettingsTest, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(Start360PageTest, AddressAfterUrlArgument) {
    WriteSettingsFile("platform=360\npage=http://p/login?game=v\n");
    settings.SetDefaults();
    backend.arguments = GetParam().arguments;
    EXPECT_EQ(settings.GetStartPage(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Start360PageTest,
    ::testing::Values(ArgumentsCase{"no_arguments", {}, "http://p/login?game=v"},
                      ArgumentsCase{"no_url_switch", {"-x", "\"http://a/\""}, "http://p/login?game=v"},
                      ArgumentsCase{"url_switch_last", {"-url"}, "http://p/login?game=v"},
                      ArgumentsCase{"switch_is_case_sensitive", {"-URL", "http://a/"}, "http://p/login?game=v"},
                      ArgumentsCase{"quoted_address", {"-url", "\"http://g/s?id=1&k=2\""}, "http://g/s?id=1&k=2"},
                      ArgumentsCase{"unquoted_address", {"-url", "http://g/"}, "http://g/"},
                      ArgumentsCase{"first_switch_wins", {"-url", "\"http://a/\"", "-url", "http://b/"}, "http://a/"}),
    CaseName());

TEST_F(SettingsTest, OtherPlatformsUseThePageUnchanged) {
    WriteSettingsFile("platform=Baidu\npage=http://p/login?game=v\n");
    settings.SetDefaults();
    backend.arguments = {"-url", "http://ignored/"};
    EXPECT_EQ(settings.GetStartPage(), "http://p/login?game=v");
}

}  // namespace
