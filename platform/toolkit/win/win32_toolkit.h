// The toolkit on Windows: each form a top-level window, each control a standard
// control of the system (static, edit, combo box, buttons, group box, rich edit),
// placed at the pixels of its twips at the window's resolution.
//
// The model stays the one truth. The window manager tells this backend what it
// decided (shown, active, modal, hidden, unloaded, z-order) and each form's change
// sink tells it what changed inside; the person's clicks and keys come back from the
// controls as the toolkit's input (input.h), so that the events arrive in the order
// and with the arguments the model defines. The controls draw and never decide:
// a typed character is not put into an edit control by the system but by the model,
// whose new text comes back through the sink.
//
// A modal form runs its own message loop, with its owner window disabled, until the
// form unloads. Message boxes are the system's own (MessageBoxW); the input box is a
// small window of this backend; the folder picker is the shell's (SHBrowseForFolderW).
// With a stand-in (stand_in.h) each dialog is answered on the real window with the
// stand-in's answer, and the stand-in works in a modal form instead of the loop.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/stand_in.h"

namespace platform::toolkit {

class Control;

class Win32Toolkit final : public Backend, private ChangeSink {
public:
    explicit Win32Toolkit(StandIn* standIn = nullptr);
    ~Win32Toolkit() override;

    int32_t MsgBox(const DialogRequest& request) override;
    std::optional<std::string> InputBox(const DialogRequest& request) override;
    std::optional<std::string> BrowseForFolder(const DialogRequest& request) override;

    void Shown(Form& form) override;
    void Activated(Form& form) override;
    void RunModal(Form& form) override;
    void Hidden(Form& form) override;
    void Unloaded(Form& form) override;
    void ZOrderChanged(Form& form) override;
    void MousePointerChanged(int16_t pointer) override;

    // The window of a form shown by this backend / of one of its controls; null when
    // there is none.
    HWND WindowOf(const Form& form) const;
    HWND WindowOf(const Control& control) const;
    // The resolution the form's window is drawn at (dots per inch).
    int32_t DpiOf(const Form& form) const;

    // The window procedures' way back in.
    LRESULT FormMessage(Form& form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ControlMessage(Control& control, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct FormWindow {
        HWND hwnd = nullptr;
        std::map<Control*, HWND> controls;
        HWND disabledOwner = nullptr;  // while the form runs modally
        HWND tips = nullptr;           // the tooltip window of its controls
        char16_t highSurrogate = 0;    // the first half of a character being typed
    };

    void ControlChanged(Control& control, Change change, int32_t item) override;
    void FormChanged(Form& form, Change change) override;

    FormWindow* Find(const Form& form);
    const FormWindow* Find(const Form& form) const;
    HWND CreateFormWindow(Form& form);
    void CreateControls(Form& form, FormWindow& window);
    HWND CreateControl(Form& form, Control& control, HWND parent);
    void PlaceForm(Form& form, HWND hwnd);
    void PlaceControl(Control& control, HWND hwnd);
    // Visible, enabled and placed as the model and the frames around it say.
    void RefreshControl(Control& control, HWND hwnd);
    void ShowText(Control& control, HWND hwnd);
    void ShowList(Control& control, HWND hwnd);
    void ShowPicture(Control& control, HWND hwnd);
    void ShowToolTip(Control& control, HWND hwnd);
    void ShowSelection(Control& control, HWND hwnd);
    void ShowDefaultButtons(Form& form, FormWindow& window);
    // The model's selection of a text control set from its window's, before a key.
    void TakeSelection(Control& control, HWND hwnd);
    // The person changed a text control's text in a way the model did not (a paste,
    // Delete): the model takes it.
    void TakeText(Control& control, HWND hwnd);
    void Typed(Control& control, HWND hwnd, WPARAM character);
    bool AccessKey(Form& form, wchar_t key);
    LRESULT Colors(Control& control, HDC dc);
    HWND OwnerFor(const Form& form) const;
    HBRUSH Brush(COLORREF color);

    StandIn* standIn_;
    Win32Toolkit* previous_;  // the toolkit that drew before this one
    std::map<const Form*, FormWindow> forms_;
    std::map<COLORREF, HBRUSH> brushes_;
    HFONT font_ = nullptr;
    int32_t fontDpi_ = 0;
};

}  // namespace platform::toolkit
