#pragma once

#include <memory>

#include "../platform/Window.h"
#include "../platform/WindowEvents.h"

// A dialog: a platform window whose events this object handles, run modally
// (DoModal) or created modeless over an owner (CreateOverlay).
class DialogWindow : public platform::WindowEvents {
public:
    // Dialog units of an 8-point dialog font (base units 6 x 13 pixels), rounded to the
    // nearest pixel as the dialog manager does.
    static constexpr platform::Size DialogUnitsToPixels(int x, int y) { return {(x * 6 + 2) / 4, (y * 13 + 4) / 8}; }

    explicit DialogWindow(platform::WindowDescription description);
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Enter and Escape go to the page in the window instead of ending the dialog.
    static platform::KeyDisposition SendEnterAndEscapeToPage(platform::Key key);

    int DoModal();
    // Modeless, as a transparent layer over the owner's window.
    bool CreateOverlay(platform::Window& owner);
    // Modeless, a window of its own that stays above its owner; created hidden.
    bool CreateModeless(platform::Window* owner);
    void EndDialog(int result);
    virtual bool DestroyWindow();

    platform::Window* GetWindow() const { return m_window.get(); }
    const platform::WindowDescription& Description() const { return m_description; }

    // The dialog's default command handling.
    void OnOK() override;
    void OnCancel() override;
    // The system's close reaches the default dialog handling: cancel.
    void OnCloseRequested() override;

protected:
    virtual void OnCreate() {}
    virtual bool OnInitDialog() { return true; }
    // The framework centres an unowned modal dialog after its initialisation.
    virtual bool CentresOnScreen() const { return false; }

private:
    platform::WindowDescription m_description;
    std::unique_ptr<platform::Window> m_window;
    bool m_modeless = false;
};
