#include "HeadlessFixture.h"
#include "RecordingPainter.h"
#include "app/DialogResult.h"
#include "gamewnd/ChatDlg.h"
#include "gamewnd/ChatState.h"
#include "gamewnd/ChtmlbrowserDlg.h"
#include "gamewnd/OpenSecondaryWindow.h"
#include "platform/headless/HeadlessWebView.h"

namespace {

using platform::HitTestCode;
using platform::NcHandling;
using platform::Point;
using platform::Rect;
using platform::headless::HeadlessWindow;

class SkinnedFrameTest : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        backend.AddResource(165, platform::ResourceKind::Bitmap, platform::Image(123, 20, false));
        for (int id : {161, 162, 163}) {
            backend.AddResource(id, platform::ResourceKind::Bitmap, platform::Image(60, 20, false));
        }
        backend.AddResource(164, platform::ResourceKind::Png, platform::Image(594, 229, true));
        backend.AddResource(166, platform::ResourceKind::Png, platform::Image(194, 215, true));
        game = std::make_unique<ChtmlbrowserDlg>();
    }
    void TearDown() override {
        game.reset();
        ChatState::Instance().ResetForTests();
        HeadlessFixture::TearDown();
    }

    // Runs the game window at a width of 1000 (restored) while `during` acts.
    void WithGameWindow(const std::function<void(HeadlessWindow&)>& during) {
        Ui().ScriptModalRun([&](HeadlessWindow& window) {
            window.ShowWindow(platform::ShowCommand::Restore);
            window.ResizeTo({1000, 700});
            during(window);
            if (window.IsModalRunning()) {
                window.EndModal(IDCANCEL);
            }
        });
        game->DoModal();
    }

    CDUIButton& Button(int id) { return game->m_buttons.at(id); }

    COrvexClientApp app;
    std::unique_ptr<ChtmlbrowserDlg> game;
};

TEST_F(SkinnedFrameTest, FinalButtonRectanglesAtWidth1000) {
    WithGameWindow([&](HeadlessWindow&) {
        const std::vector<std::pair<int, Rect>> expected = {
            {10, {735, 10, 775, 30}},  {12, {780, 10, 820, 30}},  {13, {825, 10, 865, 30}},
            {11, {870, 10, 910, 30}},  {112, {926, 10, 946, 30}}, {111, {948, 10, 968, 30}},
            {110, {970, 10, 990, 30}},
        };
        ASSERT_EQ(game->m_buttons.size(), expected.size());
        for (const auto& [id, rect] : expected) {
            EXPECT_EQ(Button(id).m_rect, rect) << id;
        }
        EXPECT_EQ(Button(10).m_strText, "官网");
        EXPECT_EQ(Button(11).m_strText, "充值");
        EXPECT_EQ(Button(12).m_strText, "刷新");
        EXPECT_EQ(Button(13).m_strText, "清理");
        EXPECT_EQ(Button(110).m_pImage, game->m_captionImages.at(2));
        EXPECT_EQ(Button(112).m_pImage, game->m_captionImages.at(0));
        EXPECT_EQ(Button(10).m_pImage, Button(13).m_pImage) << "one shared face";
        EXPECT_EQ((std::tuple{Button(11).m_nTextRed, Button(11).m_nTextGreen, Button(11).m_nTextBlue}),
                  (std::tuple{217, 151, 87}));
    });
}

TEST(ClientRectangle, InsideCaptionAndEdgesUnlessFarOff) {
    EXPECT_EQ(SkinnedDialog::CalcClientRect({0, 0, 1000, 700}, 39, 3), (Rect{3, 39, 997, 697}));
    EXPECT_EQ(SkinnedDialog::CalcClientRect({-32000, -32000, 0, 0}, 39, 3), std::nullopt);
    EXPECT_EQ(SkinnedDialog::CalcClientRect({-5, -5, 0, 1}, 26, 3), (Rect{-2, 21, -3, -2}));
}

TEST_F(SkinnedFrameTest, HoverPressAndReleaseAcrossButtons) {
    WithGameWindow([&](HeadlessWindow& window) {
        int repaints = window.FrameRepaints();
        game->OnNcMouseMove(HitTestCode::Caption, {740, 15});
        EXPECT_EQ(game->m_nHotButton, 10);
        EXPECT_TRUE(Button(10).m_bHover);
        EXPECT_TRUE(game->m_bTrackingMouse);
        EXPECT_EQ(window.FrameRepaints(), ++repaints);

        game->OnNcMouseMove(HitTestCode::Caption, {760, 25});
        EXPECT_EQ(window.FrameRepaints(), repaints) << "moving within a button repaints nothing";
        EXPECT_EQ(Button(10).FrameIndex(), 1);

        EXPECT_EQ(game->OnNcLButtonDown(HitTestCode::Caption, {760, 25}), NcHandling::Handled);
        EXPECT_EQ(Button(10).FrameIndex(), 2) << "pressed and hovered shows the pressed frame";

        game->OnNcMouseMove(HitTestCode::CloseButton, {975, 15});
        EXPECT_FALSE(Button(10).m_bPressed) << "leaving a button clears its press";
        EXPECT_EQ(game->m_nHotButton, 110);

        Ui().AnswerNextMessageBox(platform::MessageBoxResult::No);
        EXPECT_EQ(game->OnNcLButtonUp(HitTestCode::CloseButton, {975, 15}), NcHandling::Handled);
        ASSERT_EQ(Ui().MessageBoxes().size(), 1u) << "release over close asks to close";
        EXPECT_EQ(Ui().MessageBoxes()[0].caption, "关闭提示");

        EXPECT_EQ(game->OnNcLButtonUp(HitTestCode::Caption, {500, 15}), NcHandling::DefaultProcessing);
        game->OnNcMouseLeave();
        EXPECT_EQ(game->m_nHotButton, -1);
        EXPECT_FALSE(Button(110).m_bHover);
        EXPECT_FALSE(game->m_bTrackingMouse);
    });
}

TEST_F(SkinnedFrameTest, CaptionButtonsCallTheirOperations) {
    WriteSettingsFile("home=http://h/\ncharge=http://c/\n");
    AppSettings::Instance().SetDefaults();
    app.m_strGameUrl = "http://portal/game/play.html";
    WithGameWindow([&](HeadlessWindow& window) {
        auto& view = *window.WebViewAt(0);
        game->OnNcLButtonUp(HitTestCode::Caption, {740, 15});
        game->OnNcLButtonUp(HitTestCode::Caption, {880, 15});
        EXPECT_EQ(backend.openedAddresses, (std::vector<std::string>{"http://h/", "http://c/"}));
        game->OnNcLButtonUp(HitTestCode::Caption, {790, 15});
        EXPECT_EQ(view.NavigateCalls().size(), 2u);
        Ui().AnswerNextMessageBox(platform::MessageBoxResult::No);
        game->OnNcLButtonUp(HitTestCode::Caption, {830, 15});
        EXPECT_EQ(Ui().MessageBoxes().back().text, "确定清理浏览器缓存?");

        game->OnNcLButtonUp(HitTestCode::MaximizeButton, {950, 15});
        EXPECT_TRUE(window.IsMaximized());
        game->OnNcLButtonUp(HitTestCode::MaximizeButton, {950, 15});
        EXPECT_FALSE(window.IsMaximized());
        game->OnNcLButtonUp(HitTestCode::MinimizeButton, {930, 15});
        EXPECT_FALSE(window.IsVisible()) << "minimised to the tray";
        EXPECT_TRUE(window.PostedCommands().empty()) << "the window's own buttons post nothing";
    });
}

TEST_F(SkinnedFrameTest, HitTestAnswers) {
    WithGameWindow([&](HeadlessWindow&) {
        EXPECT_EQ(game->OnHitTest({975, 15}), HitTestCode::CloseButton);
        EXPECT_EQ(game->OnHitTest({950, 15}), HitTestCode::MaximizeButton);
        EXPECT_EQ(game->OnHitTest({930, 15}), HitTestCode::MinimizeButton);
        EXPECT_EQ(game->OnHitTest({740, 15}), HitTestCode::Caption) << "text buttons answer what the system would";
        EXPECT_EQ(game->OnHitTest({990, 15}), HitTestCode::Caption) << "right edge lies outside the button";
        EXPECT_EQ(game->OnHitTest({975, 30}), HitTestCode::Caption) << "bottom edge lies outside the button";
        EXPECT_EQ(game->OnHitTest({25, 25}), HitTestCode::SystemMenu);
        EXPECT_EQ(game->OnHitTest({400, 20}), HitTestCode::Caption);
        EXPECT_EQ(game->OnHitTest({500, 400}), HitTestCode::Client);
        EXPECT_EQ(game->OnHitTest({1, 400}), HitTestCode::Left);
        EXPECT_EQ(game->OnHitTest({998, 698}), HitTestCode::BottomRight);
        EXPECT_EQ(game->OnHitTest({500, 1}), HitTestCode::Top);
    });
}

TEST_F(SkinnedFrameTest, SystemMenuZoneOpensTheWindowMenu) {
    WithGameWindow([&](HeadlessWindow& window) {
        EXPECT_EQ(game->OnNcLButtonDown(HitTestCode::SystemMenu, {25, 25}), NcHandling::Handled);
        EXPECT_EQ(window.SystemMenuPoints(), (std::vector<Point>{{25, 25}}));
        EXPECT_EQ(game->OnNcLButtonDown(HitTestCode::Caption, {400, 20}), NcHandling::DefaultProcessing);
    });
}

TEST_F(SkinnedFrameTest, DoubleClickTogglesMaximisedOrPressesAButton) {
    WithGameWindow([&](HeadlessWindow& window) {
        game->OnNcLButtonDblClk(HitTestCode::Caption, {400, 20});
        EXPECT_TRUE(window.IsMaximized());
        game->OnNcLButtonDblClk(HitTestCode::Caption, {400, 38});
        EXPECT_FALSE(window.IsMaximized());
        game->OnNcLButtonDblClk(HitTestCode::Left, {1, 300});
        EXPECT_FALSE(window.IsMaximized()) << "below the caption strip nothing toggles";
        game->OnNcLButtonDblClk(HitTestCode::Caption, {740, 15});
        EXPECT_TRUE(Button(10).m_bPressed) << "a double-click on a button is a second press";
        EXPECT_FALSE(window.IsMaximized());
    });
}

TEST_F(SkinnedFrameTest, SizeKeepsTheRoundedRegionExceptWhenMinimised) {
    WithGameWindow([&](HeadlessWindow& window) {
        const int changes = window.RegionChanges();
        ASSERT_FALSE(window.WindowRegion().empty());
        EXPECT_EQ(window.WindowRegion().front().left, 1) << "the top corners are cut";
        EXPECT_EQ(window.WindowRegion()[5], (Rect{0, 5, 1000, 6}));
        game->OnSize(platform::SizeType::Minimized, {1000, 700});
        EXPECT_EQ(window.RegionChanges(), changes);
        EXPECT_FALSE(window.IsVisible());
        const auto minimum = game->OnGetMinTrackSize({100, 20});
        EXPECT_EQ(minimum, (platform::Size{100, 42}));
    });
}

TEST_F(SkinnedFrameTest, DrawFrameOrderClipAndButtons) {
    WithGameWindow([&](HeadlessWindow& window) {
        window.SetTitle("Varnholt - 风暴要塞");
        RecordingPainter painter({1000, 700});
        game->DrawFrame(painter);
        EXPECT_EQ(painter.excluded, (std::vector<Rect>{{3, 39, 997, 697}}));
        ASSERT_GE(painter.images.size(), 7u + 7u);
        const std::vector<std::pair<Rect, Rect>> pieces = {
            {{0, 697, 1000, 700}, {39, 226, 42, 229}},   // bottom edge
            {{3, 39, 997, 697}, {8, 39, 18, 49}},        // body
            {{0, 39, 3, 697}, {0, 39, 3, 42}},           // left edge
            {{997, 39, 1000, 697}, {591, 39, 594, 42}},  // right edge
            {{0, 0, 1000, 39}, {218, 0, 219, 39}},       // caption band
            {{0, 0, 218, 39}, {0, 0, 218, 39}},          // caption left
            {{950, 0, 1000, 39}, {544, 0, 594, 39}},     // caption right
        };
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(painter.images[i].destination, pieces[i].first) << i;
            EXPECT_EQ(painter.images[i].source, pieces[i].second) << i;
        }
        ASSERT_FALSE(painter.texts.empty());
        EXPECT_EQ(painter.texts[0].text, "Varnholt - 风暴要塞");
        EXPECT_EQ(painter.texts[0].box.TopLeft(), (Point{60, 15}));
        EXPECT_EQ(painter.texts[0].font.weight, 700);
        EXPECT_EQ(painter.texts[0].color, (platform::Color{255, 255, 255, 255}));
        // The 123-pixel face has 41-pixel frames, each drawn into a 40-pixel button.
        const auto face = std::find_if(painter.images.begin(), painter.images.end(), [&](const auto& call) {
            return call.destination == Rect{735, 10, 775, 30};
        });
        ASSERT_NE(face, painter.images.end());
        EXPECT_EQ(face->source, (Rect{0, 0, 41, 20}));
    });
}

TEST_F(SkinnedFrameTest, EmptyTitleDrawsNoTextAndClipSkipsButtons) {
    WithGameWindow([&](HeadlessWindow& window) {
        window.SetTitle("");
        RecordingPainter painter({1000, 700}, {0, 0, 100, 39});
        game->DrawFrame(painter);
        EXPECT_TRUE(painter.texts.empty()) << "no title, and no button lies in the clip box";
    });
}

TEST_F(HeadlessFixture, NoFrameTemplatePaintsNothingButButtonsStillWork) {
    ChtmlbrowserDlg game;  // no pictures registered at all
    Ui().ScriptModalRun([&](HeadlessWindow& window) {
        window.ResizeTo({1000, 700});
        RecordingPainter painter({1000, 700});
        game.DrawFrame(painter);
        EXPECT_TRUE(painter.images.empty());
        EXPECT_TRUE(painter.texts.empty());
        EXPECT_EQ(game.OnHitTest({975, 15}), HitTestCode::CloseButton);
        window.EndModal(IDCANCEL);
    });
    game.DoModal();
}

struct ButtonCase {
    const char* name;
    bool hover, pressed, disabled, highlight;
    unsigned frames;
    int expectedFrame;
    friend void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }
};

class ButtonFrameTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonFrameTest, FrameChoice) {
    CDUIButton button;
    button.m_bHover = GetParam().hover;
    button.m_bPressed = GetParam().pressed;
    button.m_bDisabled = GetParam().disabled;
    button.m_bHighlight = GetParam().highlight;
    button.m_nFrameCount = GetParam().frames;
    EXPECT_EQ(button.FrameIndex(), GetParam().expectedFrame);
}

INSTANTIATE_TEST_SUITE_P(States, ButtonFrameTest,
                         ::testing::Values(ButtonCase{"normal", false, false, false, false, 3, 0},
                                           ButtonCase{"hover", true, false, false, false, 3, 1},
                                           ButtonCase{"pressed_and_hovered", true, true, false, false, 3, 2},
                                           ButtonCase{"hover_one_frame_strip", true, false, false, false, 1, 0},
                                           ButtonCase{"disabled_three_frames", false, false, true, false, 3, 0},
                                           ButtonCase{"disabled_four_frames", false, false, true, false, 4, 3},
                                           ButtonCase{"highlight_wins_over_press", false, true, false, true, 3, 1}),
                         CaseName());

TEST(CaptionButton, DrawScalesTheFrameAndGreysDisabledText) {
    auto strip = std::make_shared<platform::Image>(123, 20, false);
    CDUIButton button;
    button.m_rect = {0, 0, 40, 20};
    button.m_pImage = strip;
    button.m_strText = "官网";
    button.m_bPressed = true;
    RecordingPainter painter({100, 40});
    button.Draw(painter);
    ASSERT_EQ(painter.images.size(), 1u);
    EXPECT_EQ(painter.images[0].source, (Rect{82, 0, 123, 20}));
    EXPECT_EQ(painter.images[0].destination, (Rect{0, 0, 40, 20}));
    ASSERT_EQ(painter.texts.size(), 1u);
    EXPECT_TRUE(painter.texts[0].centred);
    EXPECT_EQ(painter.texts[0].color, (platform::Color{217, 151, 87, 255}));
    EXPECT_EQ(painter.texts[0].font.family, "Tahoma");

    button.m_bDisabled = true;
    button.m_bVisible = true;
    RecordingPainter grey({100, 40});
    button.Draw(grey);
    EXPECT_EQ(grey.texts.at(0).color, (platform::Color{0x80, 0x80, 0x80, 0xFF}));

    button.m_bVisible = false;
    RecordingPainter hidden({100, 40});
    button.Draw(hidden);
    EXPECT_TRUE(hidden.images.empty() && hidden.texts.empty());
}

TEST_F(SkinnedFrameTest, OverlappingButtonsAndGenericRelease) {
    WithGameWindow([&](HeadlessWindow& window) {
        const auto face = game->m_captionImages.at(0);
        game->AddCaptionButton(30, {600, 5, 640, 30}, face);
        game->AddCaptionButton(5, {620, 5, 660, 30}, face);
        EXPECT_EQ(game->HitCaptionButton({630, 10}), 5) << "the lower id wins";
        game->AddCaptionButton(5, {700, 5, 710, 30}, face);
        EXPECT_EQ(game->HitCaptionButton({630, 10}), 30) << "adding an existing id replaces it";

        game->OnNcLButtonUp(HitTestCode::Caption, {610, 10});
        EXPECT_TRUE(window.PostedCommands().empty()) << "not pressed: nothing sent";
        EXPECT_FALSE(Button(30).m_bChecked);
        game->OnNcLButtonDown(HitTestCode::Caption, {610, 10});
        game->OnNcLButtonUp(HitTestCode::Caption, {610, 10});
        EXPECT_EQ(window.PostedCommands(), std::vector<int>{30});
        EXPECT_TRUE(Button(30).m_bChecked);
        EXPECT_FALSE(Button(30).m_bPressed);
    });
}

struct OpenerCase {
    const char* name;
    std::string address;
    int state;
    std::string chatUrl;
    bool opens;
    friend void PrintTo(const OpenerCase& c, std::ostream* os) { *os << c.name; }
};

class SecondaryWindowOpenerTest : public SkinnedFrameTest, public ::testing::WithParamInterface<OpenerCase> {};

TEST_P(SecondaryWindowOpenerTest, ServerIdAndStateGates) {
    WriteSettingsFile("platform=360\n");
    AppSettings::Instance().SetDefaults();
    ChatState::Instance().m_nState = GetParam().state;
    ChatState::Instance().m_strChatUrl = GetParam().chatUrl;
    app.m_strGameUrl = GetParam().address;
    WithGameWindow([&](HeadlessWindow& window) {
        EXPECT_EQ(game->m_bChatOpened, GetParam().opens);
        if (!GetParam().opens) {
            return;
        }
        ChatDlg& chat = *game->m_pChatDlg;
        auto* chatWindow = dynamic_cast<HeadlessWindow*>(chat.GetWindow());
        ASSERT_NE(chatWindow, nullptr);
        EXPECT_FALSE(chatWindow->IsVisible()) << "created hidden";
        EXPECT_EQ(chatWindow->OwnerWindow(), &window);
        EXPECT_EQ(chat.m_pGameWnd, game.get());
        EXPECT_EQ(chatWindow->GetTitle(), "客服");
        EXPECT_EQ(chatWindow->WebViewAt(0)->NavigateCalls(), std::vector<std::string>{GetParam().chatUrl});
        // Placed when the game window opened at (0, 0), 1254 wide: its client area is 434 x 386
        // along the right edge, 80 pixels below the top.
        EXPECT_EQ(chatWindow->GetWindowRect(), (Rect{1254 - 434 - 3, 80 - 26, 1254 + 3, 466 + 3}));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Gates, SecondaryWindowOpenerTest,
    ::testing::Values(OpenerCase{"as_shipped_never_opens", "http://g/play?server_id=S12", -1, "", false},
                      OpenerCase{"awake_record_opens", "http://g/play?server_id=S12&x=1", 0, "http://chat/", true},
                      OpenerCase{"no_server_id", "http://g/play?sid=S12", 0, "http://chat/", false},
                      OpenerCase{"server_id_too_short", "http://g/play?server_id=S", 0, "http://chat/", false},
                      OpenerCase{"server_id_without_capital_s", "http://g/play?server_id=s12", 0, "http://chat/", false},
                      OpenerCase{"state_not_zero", "http://g/play?server_id=S12", 1, "http://chat/", false},
                      OpenerCase{"no_chat_address", "http://g/play?server_id=S12", 0, "", false}),
    CaseName());

TEST(SecondaryWindowOpener, ServerIdText) {
    EXPECT_EQ(ServerIdOf("http://g/?a=1&server_id=S7&b=2"), "S7");
    EXPECT_EQ(ServerIdOf("http://g/?server_id="), "");
    EXPECT_EQ(ServerIdOf("http://g/?x=1"), "");
}

TEST_F(SkinnedFrameTest, SecondaryWindowFrameScriptsAndClosing) {
    ChatDlg chat;
    ASSERT_TRUE(chat.CreateModeless(nullptr));
    auto& window = *dynamic_cast<HeadlessWindow*>(chat.GetWindow());
    window.ResizeTo({440, 412});
    EXPECT_EQ(chat.m_buttons.at(20).m_rect, (Rect{415, 3, 435, 23}));
    EXPECT_EQ(chat.OnHitTest({420, 10}), HitTestCode::CloseButton);
    EXPECT_EQ(chat.OnHitTest({25, 25}), HitTestCode::SystemMenu) << "though the icon is drawn at (5, 5)";
    EXPECT_EQ(chat.OnGetMinTrackSize({100, 10}).height, 29);

    auto& view = *window.WebViewAt(0);
    view.CallExternal("getGsName", "小蓝");
    EXPECT_EQ(window.GetTitle(), "小蓝 正在和您通话");
    view.CallExternal("getGsName", "");
    EXPECT_EQ(window.GetTitle(), " 正在和您通话");
    view.CallExternal("getNewMsg", "hello");
    EXPECT_EQ(window.GetTitle(), " 正在和您通话");
    EXPECT_EQ(view.CallExternal("getAppVersion"), std::nullopt);

    window.ShowWindow(platform::ShowCommand::Show);
    window.PressKey(platform::Key::Escape);
    window.PressKey(platform::Key::Enter);
    EXPECT_TRUE(window.IsVisible());
    chat.OnNcLButtonDblClk(HitTestCode::Caption, {200, 10});
    EXPECT_FALSE(window.IsMaximized());
    chat.OnNcLButtonUp(HitTestCode::CloseButton, {420, 10});
    EXPECT_FALSE(window.IsVisible()) << "closing hides";
    EXPECT_FALSE(window.IsDestroyed());
    window.ShowWindow(platform::ShowCommand::Show);
    window.Events().OnCloseRequested();
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(chat.GetWindow(), &window) << "the same window, page kept";
}

}  // namespace
