#pragma once

#include <functional>

#include "HeadlessFixture.h"
#include "platform/headless/HeadlessWebView.h"

// The launcher on screen during its modal run, as a test sees it.
struct LauncherScene {
    COrvexClientApp& app;
    platform::headless::HeadlessWindow& launcher;
    platform::headless::HeadlessWindow& panelWindow;
    platform::headless::HeadlessWebView& view;
    CControllersDlg& panel;

    // The panel's first page (about:blank) and then the start page finish loading.
    void LoadStartPage() {
        view.FinishLoad();
        view.FinishLoad();
    }
};

class LauncherFixture : public HeadlessFixture {
protected:
    // Runs the whole start-up; `during` acts while the launcher is on screen, `inGameWindow`
    // while the game window is (when it opens).
    bool RunClient(const std::function<void(LauncherScene&)>& during,
                   const std::function<void(platform::headless::HeadlessWindow&)>& inGameWindow = {}) {
        bool gameWindowOpened = false;
        Ui().ScriptModalRun([&](platform::headless::HeadlessWindow& launcher) {
            ASSERT_NE(launcher.Overlay(), nullptr);
            ASSERT_NE(launcher.Overlay()->WebViewAt(0), nullptr);
            LauncherScene scene{app, launcher, *launcher.Overlay(), *launcher.Overlay()->WebViewAt(0),
                                *app.LauncherInstance()->ControlPanel()};
            during(scene);
        });
        Ui().ScriptModalRun([&](platform::headless::HeadlessWindow& gameWindow) {
            gameWindowOpened = true;
            if (inGameWindow) {
                inGameWindow(gameWindow);
            }
            gameWindow.EndModal(2);
        });
        app.InitInstance();
        return gameWindowOpened;
    }

    COrvexClientApp app;
};
