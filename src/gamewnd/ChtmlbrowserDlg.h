#pragma once

#include "../app/DialogWindow.h"

// The window that shows the game.
class ChtmlbrowserDlg : public DialogWindow {
public:
    ChtmlbrowserDlg();
    ~ChtmlbrowserDlg() override;

    void OnOK() override {}
    void OnCancel() override {}
    void OnCloseRequested() override { OnClose(); }
    platform::KeyDisposition PreTranslateKeyDown(platform::Key key) override;

    void OnClose();

protected:
    bool OnInitDialog() override;
};
