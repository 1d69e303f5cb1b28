#include "DocumentRoot.h"

#include <gtest/gtest.h>

#include <ostream>

#include "TempPortalTree.h"

using demo_portal::DocumentRoot;
using demo_portal::LookupError;
using demo_portal::StaticFile;

namespace {

struct LookupCase {
    const char* urlPath;
    const char* servedFile;  // relative to the root; nullptr when refused
    LookupError error = LookupError::NotFound;
};

void PrintTo(const LookupCase& c, std::ostream* out) { *out << '"' << c.urlPath << '"'; }

class DocumentRootLookup : public ::testing::TestWithParam<LookupCase> {
protected:
    static void SetUpTestSuite() { tree = new TempPortalTree(); }
    static void TearDownTestSuite() {
        delete tree;
        tree = nullptr;
    }
    static TempPortalTree* tree;
};
TempPortalTree* DocumentRootLookup::tree = nullptr;

TEST_P(DocumentRootLookup, ServesOnlyRegularFilesInsideTheRoot) {
    const LookupCase& c = GetParam();
    const DocumentRoot root(tree->Root());
    const auto result = root.Lookup(c.urlPath);
    if (c.servedFile != nullptr) {
        ASSERT_TRUE(std::holds_alternative<StaticFile>(result)) << c.urlPath;
        EXPECT_EQ(std::get<StaticFile>(result).path, std::filesystem::canonical(tree->Root() / c.servedFile));
    } else {
        ASSERT_TRUE(std::holds_alternative<LookupError>(result)) << c.urlPath;
        EXPECT_EQ(std::get<LookupError>(result), c.error) << c.urlPath;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DocumentRootLookup,
    ::testing::Values(LookupCase{"/index.html", "index.html"}, LookupCase{"/", "index.html"},
                      LookupCase{"/css/site.css", "css/site.css"}, LookupCase{"//css//site.css", "css/site.css"},
                      LookupCase{"/%69ndex.html", "index.html"}, LookupCase{"/alias.html", "index.html"},
                      LookupCase{"/missing.html", nullptr, LookupError::NotFound},
                      LookupCase{"/css", nullptr, LookupError::NotFound},
                      LookupCase{"/css/", nullptr, LookupError::NotFound},
                      LookupCase{"/../secret.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/css/../../secret.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/%2e%2e/secret.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/%2E%2E%2Fsecret.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/css%2f..%2f..%2fsecret.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/..%5csecret.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/index.html%00.png", nullptr, LookupError::Forbidden},
                      LookupCase{"/escape.txt", nullptr, LookupError::Forbidden},
                      LookupCase{"/.hidden", nullptr, LookupError::Forbidden},
                      LookupCase{"index.html", nullptr, LookupError::Forbidden},
                      LookupCase{"", nullptr, LookupError::Forbidden}),
    [](const ::testing::TestParamInfo<LookupCase>& param) {
        std::string name = std::to_string(param.index) + "_";
        for (const char* c = param.param.urlPath; *c != '\0'; ++c) {
            const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
            name += plain ? *c : '_';
        }
        return name;
    });

TEST(DocumentRoot, RefusesAMissingDirectory) {
    EXPECT_THROW(DocumentRoot("/nonexistent/varnholt/portal"), std::runtime_error);
}

TEST(DocumentRoot, EtagFollowsTheFileContent) {
    TempPortalTree tree;
    const DocumentRoot root(tree.Root());
    const auto etagOf = [&root] { return std::get<StaticFile>(root.Lookup("/index.html")).etag; };
    const std::string before = etagOf();
    EXPECT_EQ(before, etagOf());
    EXPECT_EQ(before.front(), '"');
    EXPECT_EQ(before.back(), '"');
    tree.Write("index.html", "<!doctype html><title>changed, and longer</title>");
    EXPECT_NE(before, etagOf());
}

TEST(DocumentRoot, ContentTypesFollowTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.html", "text/html; charset=utf-8"},   {"a.HTM", "text/html; charset=utf-8"},
        {"a.css", "text/css; charset=utf-8"},     {"a.js", "text/javascript; charset=utf-8"},
        {"a.json", "application/json"},           {"a.svg", "image/svg+xml"},
        {"a.PNG", "image/png"},                   {"a.jpeg", "image/jpeg"},
        {"a.bin", "application/octet-stream"},    {"noextension", "application/octet-stream"},
    };
    for (const auto& [file, type] : cases) {
        EXPECT_EQ(DocumentRoot::ContentTypeFor(file), type) << file;
    }
}

}  // namespace
