#pragma once

// Where things are on screen, for tests that click like a person. The launcher positions
// follow its artwork; the sign-in page positions come from res/demo/portal/login.html,
// which is laid out for the launcher's 682x351 view without scrolling. Keep them in sync.
namespace e2e::layout {

struct Point {
    int x = 0;
    int y = 0;
};

// The launcher window and the sign-in view inside it.
constexpr int kLauncherWidth = 1016;
constexpr int kLauncherHeight = 680;
constexpr Point kLauncherWebViewOrigin{279, 266};
constexpr int kLauncherWebViewWidth = 682;
constexpr int kLauncherWebViewHeight = 351;

// Centres of the launcher's own buttons, in launcher coordinates.
constexpr Point kLauncherHomeButton{357, 63};
constexpr Point kLauncherChargeButton{500, 63};
constexpr Point kLauncherBbsButton{641, 63};
constexpr Point kLauncherServiceButton{132, 601};
constexpr Point kLauncherCloseButton{964, 67};

// Centres of the sign-in page's controls, in page coordinates.
constexpr Point kAccountField{188, 120};
constexpr Point kPasswordField{188, 166};
constexpr Point kLoginButton{106, 243};
constexpr Point kQuickEnterButton{246, 243};
constexpr Point kServerRows[] = {{497, 115}, {497, 165}, {497, 215}, {497, 265}};  // S1..S4, S4 disabled

// A point of the launcher on the screen, given the launcher's position.
constexpr Point LauncherOnScreen(Point launcherTopLeft, Point inLauncher) {
    return {launcherTopLeft.x + inLauncher.x, launcherTopLeft.y + inLauncher.y};
}

// A point of the sign-in page on the screen, given the launcher's position.
constexpr Point OnScreen(Point launcherTopLeft, Point inPage) {
    return {launcherTopLeft.x + kLauncherWebViewOrigin.x + inPage.x,
            launcherTopLeft.y + kLauncherWebViewOrigin.y + inPage.y};
}

}  // namespace e2e::layout
