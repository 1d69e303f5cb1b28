#include "HeadlessFixture.h"
#include "app/VersionBlock.h"

namespace {

struct VersionCase {
    const char* name;
    const char* file;  // under the fixture directory, or an absolute path
    const char* expected;
    friend void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }
};

class FileVersionTest : public HeadlessFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(FileVersionTest, ReadsTheBlockBackFromTheFile) {
    const std::string file = GetParam().file;
    backend.executableImagePath = file.front() == '/' ? file : std::string(ORVEX_FIXTURE_DIR) + "/" + file;
    EXPECT_EQ(AppSettings::GetFileVersion(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, FileVersionTest,
    ::testing::Values(VersionCase{"present", "version_single.elf", "1.0.0.1"},
                      VersionCase{"several_translations_concatenate", "version_several.elf", "1.0.0.12.0"},
                      VersionCase{"no_file_version", "version_no_file_version.elf", ""},
                      VersionCase{"no_translation_list", "version_no_translation.elf", ""},
                      VersionCase{"executable_without_block", "orvex_version_fixture_program", "error"},
                      VersionCase{"not_an_executable", "version_single.txt", "error"},
                      VersionCase{"missing_file", "/nonexistent/orvex-client", "error"},
                      VersionCase{"directory", "/tmp", "error"}),
    CaseName());

TEST(VersionBlockParse, SkipsCommentsAndMalformedTranslations) {
    const VersionBlock block = VersionBlock::Parse(
        "; comment\n\\VarFileInfo\\Translation=080404b0 zz 12 040904B0\n\\StringFileInfo\\080404b0\\FileVersion=1=2\n");
    ASSERT_EQ(block.Translations().size(), 2u);
    EXPECT_EQ(block.Translations()[1].first, 0x0409);
    EXPECT_EQ(block.Translations()[1].second, 0x04b0);
    EXPECT_EQ(block.Query("\\StringFileInfo\\080404b0\\FileVersion"), "1=2");
    EXPECT_EQ(block.Query("\\StringFileInfo\\080404b0\\ProductName"), std::nullopt);
}

TEST_F(HeadlessFixture, TruncatedElfGivesError) {
    const std::filesystem::path truncated = InstallDirectory() / "truncated";
    std::ifstream in(std::string(ORVEX_FIXTURE_DIR) + "/version_single.elf", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(truncated, std::ios::binary) << bytes.substr(0, 200);
    backend.executableImagePath = truncated.string();
    EXPECT_EQ(AppSettings::GetFileVersion(), "error");
}

}  // namespace
