#include "PortalServer.h"

#include <gtest/gtest.h>

#include <future>

#include "LoopbackHttpClient.h"
#include "TempPortalTree.h"

using namespace std::chrono_literals;
using demo_portal::HttpOutcome;
using demo_portal::LoopbackHttpClient;
using demo_portal::PortalServer;

namespace {

class PortalServerTest : public ::testing::Test {
protected:
    void SetUp() override { server.Start(); }

    std::string LoginCookie(const std::string& form) {
        const auto exchange = client().Post("/login", "application/x-www-form-urlencoded", form);
        const auto cookie = exchange.response.Header("Set-Cookie");
        return cookie ? cookie->substr(0, cookie->find(';')) : "";
    }
    LoopbackHttpClient client() const { return LoopbackHttpClient(server.Port()); }

    TempPortalTree tree;
    PortalServer server{{tree.Root()}};
};

TEST_F(PortalServerTest, ListensOnTwoLoopbackPorts) {
    EXPECT_NE(server.Port(), 0);
    EXPECT_NE(server.FramePort(), 0);
    EXPECT_NE(server.Port(), server.FramePort());
    EXPECT_EQ(server.Url("/a?b"), "http://127.0.0.1:" + std::to_string(server.Port()) + "/a?b");
    EXPECT_EQ(server.FrameUrl("/"), "http://127.0.0.1:" + std::to_string(server.FramePort()) + "/");
}

TEST_F(PortalServerTest, EntryUrlCarriesAnyTargetAsHexBytes) {
    const std::string entry = server.Url("/entry.html?to=");
    EXPECT_EQ(server.EntryUrl("/play.htm?a b"), entry + "2f706c61792e68746d3f612062");
    // UTF-8 bytes as they are, high bit set.
    EXPECT_EQ(server.EntryUrl("\xE9\xA3\x8E"), entry + "e9a38e");
    EXPECT_EQ(server.EntryUrl(""), entry);
    EXPECT_EQ(server.EntryUrl("/x", 100), entry + "2f78&pad=100");
    // Its own address never looks like a game entry, whatever it leads to.
    EXPECT_EQ(server.EntryUrl("/game/play.html").find("play.htm"), std::string::npos);
}

TEST_F(PortalServerTest, StaticFilesCarryTypeAndCacheHeaders) {
    const auto got = client().Get("/index.html");
    ASSERT_EQ(got.outcome, HttpOutcome::Answered);
    EXPECT_EQ(got.response.status, 200);
    EXPECT_EQ(got.response.body, TempPortalTree::kIndex);
    EXPECT_EQ(got.response.Header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(got.response.Header("Cache-Control"), "max-age=3600");
    const auto etag = got.response.Header("ETag");
    ASSERT_TRUE(etag.has_value());

    const auto again = client().Get("/index.html", {"If-None-Match: " + *etag});
    EXPECT_EQ(again.response.status, 304);
    EXPECT_TRUE(again.response.body.empty());

    const auto stale = client().Get("/index.html", {"If-None-Match: \"0-0\""});
    EXPECT_EQ(stale.response.status, 200);
}

TEST_F(PortalServerTest, HeadAnswersWithoutBodyAndOtherMethodsAreRefused) {
    const auto head = client().Send("HEAD /index.html HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", 5s);
    EXPECT_EQ(head.response.status, 200);
    EXPECT_TRUE(head.response.body.empty());
    const auto post = client().Post("/index.html", "text/plain", "x");
    EXPECT_EQ(post.response.status, 405);
}

TEST_F(PortalServerTest, TraversalNeverLeaksFilesOutsideTheRoot) {
    const char* targets[] = {
        "/../secret.txt",         "/../../../../etc/passwd", "/%2e%2e/secret.txt", "/%2e%2e%2fsecret.txt",
        "/css/..%2f..%2fsecret.txt", "/escape.txt",          "/.hidden",           "/..%5csecret.txt",
    };
    for (const char* target : targets) {
        const auto got = client().Send(std::string("GET ") + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", 5s);
        ASSERT_EQ(got.outcome, HttpOutcome::Answered) << target;
        // libsoup itself turns some encodings away with 400 before the route sees them.
        const int status = got.response.status;
        EXPECT_TRUE(status == 400 || status == 403 || status == 404) << target << " -> " << status;
        EXPECT_EQ(got.response.body.find(TempPortalTree::kSecret), std::string::npos) << target;
        EXPECT_EQ(got.response.body.find("root:"), std::string::npos) << target;
    }
}

TEST_F(PortalServerTest, RoutesTakeOnlyTheirExactPath) {
    tree.Write("login.html", "sign-in page");
    tree.Write("logbook.txt", "logbook");
    const std::pair<const char*, int> cases[] = {
        {"/login.html", 200}, {"/logbook.txt", 200}, {"/reporting", 404}, {"/hang.html", 404}, {"/api/status2", 404},
    };
    for (const auto& [target, status] : cases) {
        EXPECT_EQ(client().Get(target, {}, 2s).response.status, status) << target;
    }
}

TEST_F(PortalServerTest, RootRedirectsToTheSignInPage) {
    const auto got = client().Get("/");
    EXPECT_EQ(got.response.status, 303);
    EXPECT_EQ(got.response.Header("Location"), "/login.html?game=varnholt");
}

TEST_F(PortalServerTest, LoginSetsTheSessionCookieAndRedirectsToTheGameEntry) {
    const auto got = client().Post("/login", "application/x-www-form-urlencoded",
                                   "account=%E5%8B%87%E8%80%85&password=secret&server_id=S2");
    ASSERT_EQ(got.outcome, HttpOutcome::Answered);
    EXPECT_EQ(got.response.status, 303);
    const std::string location = got.response.Header("Location").value_or("");
    EXPECT_EQ(location.rfind("/game/play.html?server_id=S2&", 0), 0u) << location;
    EXPECT_NE(location.find("play.htm"), std::string::npos);
    EXPECT_EQ(got.response.Header("Cache-Control"), "no-store");

    const std::string cookie = got.response.Header("Set-Cookie").value_or("");
    EXPECT_EQ(cookie.rfind("varnholt_session=", 0), 0u) << cookie;
    EXPECT_NE(cookie.find("; HttpOnly"), std::string::npos) << cookie;
    EXPECT_NE(cookie.find("; Path=/"), std::string::npos) << cookie;

    const auto status = client().Get("/api/status", {"Cookie: " + cookie.substr(0, cookie.find(';'))});
    EXPECT_EQ(status.response.Header("Content-Type"), "application/json");
    EXPECT_NE(status.response.body.find("\"signedIn\":true"), std::string::npos) << status.response.body;
    EXPECT_NE(status.response.body.find("\"account\":\"勇者\""), std::string::npos) << status.response.body;
    EXPECT_NE(status.response.body.find("\"serverId\":\"S2\""), std::string::npos) << status.response.body;
}

TEST_F(PortalServerTest, LoginRefusalsSetNoCookie) {
    struct Case {
        const char* form;
        int status;
        const char* location;
    };
    const Case cases[] = {
        {"account=&password=x", 303, "/login.html?game=varnholt&error=account"},
        {"account=%20%20&password=x", 303, "/login.html?game=varnholt&error=account"},
        {"password=x", 303, "/login.html?game=varnholt&error=account"},
    };
    for (const Case& c : cases) {
        const auto got = client().Post("/login", "application/x-www-form-urlencoded", c.form);
        EXPECT_EQ(got.response.status, c.status) << c.form;
        EXPECT_EQ(got.response.Header("Location"), c.location) << c.form;
        EXPECT_FALSE(got.response.Header("Set-Cookie").has_value()) << c.form;
    }
    const auto get = client().Get("/login?account=x");
    EXPECT_EQ(get.response.status, 405);
    EXPECT_FALSE(get.response.Header("Set-Cookie").has_value());
}

TEST_F(PortalServerTest, OddServerIdsFallBackToTheFirstServer) {
    const auto got = client().Post("/login", "application/x-www-form-urlencoded",
                                   "account=a&server_id=S1%26evil%3D1");
    EXPECT_EQ(got.response.Header("Location").value_or("").rfind("/game/play.html?server_id=S1&entry=", 0), 0u);
}

TEST_F(PortalServerTest, StatusWithoutSessionSaysSignedOutAndNamesTheFrameOrigin) {
    const auto got = client().Get("/api/status", {"Cookie: varnholt_session=forged"});
    EXPECT_NE(got.response.body.find("\"signedIn\":false"), std::string::npos) << got.response.body;
    EXPECT_NE(got.response.body.find("\"frameOrigin\":\"" + server.FrameUrl("") + "\""), std::string::npos)
        << got.response.body;
}

TEST_F(PortalServerTest, RequestLogRecordsCookieUserAgentQueryAndTime) {
    const auto before = std::chrono::system_clock::now();
    const auto got = client().Get("/report?game=varnholt&mac=0011223344AA&time=10:00:00%20GMT%2B0800",
                                  {"Cookie: varnholt_session=abc; lang=zh", "User-Agent: orvex-client"});
    EXPECT_EQ(got.response.status, 200);
    const auto records = server.RequestsTo("/report");
    ASSERT_EQ(records.size(), 1u);
    const auto& record = records.front();
    EXPECT_EQ(record.method, "GET");
    EXPECT_EQ(record.path, "/report");
    EXPECT_EQ(record.query, "game=varnholt&mac=0011223344AA&time=10:00:00%20GMT%2B0800");
    EXPECT_EQ(record.QueryValue("time"), "10:00:00 GMT+0800");
    EXPECT_EQ(record.cookie, "varnholt_session=abc; lang=zh");
    EXPECT_TRUE(record.HasCookie("varnholt_session"));
    EXPECT_EQ(record.userAgent, "orvex-client");
    EXPECT_EQ(record.localPort, server.Port());
    EXPECT_GE(record.time, before);
    EXPECT_LE(record.time, std::chrono::system_clock::now());
}

TEST_F(PortalServerTest, RequestLogKeepsOrderAndCountsByPrefix) {
    client().Get("/log?frame_version=1.0.0.1");
    client().Get("/index.html");
    client().Post("/login", "application/x-www-form-urlencoded", "account=a");
    client().Get("/log?page_version=none");
    const auto all = server.Requests();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].path, "/log");
    EXPECT_EQ(all[2].method, "POST");
    EXPECT_EQ(all[2].body, "account=a");
    EXPECT_EQ(server.CountRequests("/log"), 2u);  // not /login
    EXPECT_EQ(server.CountRequests("/login"), 1u);
    EXPECT_EQ(server.CountRequests("/"), 4u);
    server.ClearRequests();
    EXPECT_EQ(server.CountRequests("/"), 0u);
    EXPECT_FALSE(server.WaitForRequests("/log", 1, 50ms));
}

TEST_F(PortalServerTest, LogAnswersNoContent) {
    const auto got = client().Get("/log?frame_version=1.0.0.1");
    EXPECT_EQ(got.response.status, 204);
    EXPECT_EQ(got.response.Header("Cache-Control"), "no-store");
    EXPECT_EQ(server.RequestsTo("/log").at(0).QueryValue("frame_version"), "1.0.0.1");
}

TEST_F(PortalServerTest, FramePortIsASecondOriginOnTheSameLog) {
    const auto got = LoopbackHttpClient(server.FramePort()).Get("/log?frame_version=none");
    EXPECT_EQ(got.response.status, 204);
    const auto record = server.WaitForRequest("/log", 1s);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->localPort, server.FramePort());
}

TEST_F(PortalServerTest, HangNeverAnswersButIsLogged) {
    const auto got = client().Get("/hang?x=1", {}, 700ms);
    EXPECT_EQ(got.outcome, HttpOutcome::TimedOut);
    EXPECT_TRUE(server.WaitForRequests("/hang", 1, 1s));
    // Other requests keep flowing while one hangs.
    EXPECT_EQ(client().Get("/index.html").response.status, 200);
}

TEST_F(PortalServerTest, StoppingClosesHeldRequests) {
    auto pending = std::async(std::launch::async, [port = server.Port()] {
        return LoopbackHttpClient(port).Get("/hang", {}, 20s);
    });
    ASSERT_TRUE(server.WaitForRequests("/hang", 1, 5s));
    const auto stopAt = std::chrono::steady_clock::now();
    server.Stop();
    ASSERT_EQ(pending.wait_for(10s), std::future_status::ready);
    EXPECT_NE(pending.get().outcome, HttpOutcome::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, 10s);
    EXPECT_EQ(LoopbackHttpClient(server.Port()).Get("/index.html", {}, 1s).outcome, HttpOutcome::ConnectFailed);
    server.Stop();
}

TEST(PortalServerStart, FailsForAMissingRootAndAPortInUse) {
    EXPECT_THROW(PortalServer({"/nonexistent/varnholt/portal"}).Start(), std::runtime_error);
    TempPortalTree tree;
    PortalServer first({tree.Root()});
    first.Start();
    PortalServer second({tree.Root(), first.Port()});
    EXPECT_THROW(second.Start(), std::runtime_error);
}

}  // namespace
