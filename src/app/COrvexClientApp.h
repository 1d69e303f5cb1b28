#pragma once

#include <memory>
#include <string>

class COrvexClientDlg;

class COrvexClientApp {
public:
    COrvexClientApp();
    ~COrvexClientApp();
    COrvexClientApp(const COrvexClientApp&) = delete;
    COrvexClientApp& operator=(const COrvexClientApp&) = delete;

    // The application object of this process.
    static COrvexClientApp* Current();

    // Runs the launcher and, when it ends with OK, the game window; always false.
    bool InitInstance();

    // The launcher instance: created once, cleared when the launcher has ended with OK.
    COrvexClientDlg* LauncherInstance() const { return m_pLauncher.get(); }
    // The executable's file name without its extension.
    std::string GetAppName() const;

    std::string m_strGameUrl;

private:
    std::unique_ptr<COrvexClientDlg> m_pLauncher;
};
