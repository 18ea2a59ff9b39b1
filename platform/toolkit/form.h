// A form: a window holding controls, shown modeless or modally by the host's toolkit.
//
// What the program relies on:
// - Show(vbModeless) makes the form visible and returns at once; its events arrive
//   later. Show(vbModal) returns only once the form is unloaded; its events arrive
//   meanwhile. Showing modally a form that is visible already fails with 400.
// - Whenever the form becomes the active window (each show, and when a modal form
//   above it closes; see backend_window_manager.h) it raises Activate; then, when none
//   of its controls has the focus, the first one in tab order that can take it gets it.
// - Hide makes it invisible and keeps everything, focus included; Show shows it again.
// - Unload raises Unload (whatever the reason: the program's call, the window's close
//   button), then hides the form, drops its focus and its top-most state and closes
//   it: the window manager forgets it and lets go of it. Unloading an unloaded form
//   does nothing. Showing an unloaded form loads it again with the values it had.
// - A modal form takes all input: while one is shown, no other form takes the
//   person's input (see input.h).
// - The focus is each form's own: moving it between controls of one form raises
//   LostFocus and GotFocus (control.h); a form becoming active or inactive raises no
//   focus events.
// - Height and Width are the outer size: the client area (ScaleWidth, ScaleHeight)
//   plus the borders and title bar (kFrameWidth, kFrameHeight). Setting Height keeps
//   that difference.
// - Every form has its own window handle, never reused in the process; SetWindowPos
//   with it (window_calls.h) makes it top-most or not.
// - Writes to what is drawn (caption, position, size, the focus, the default and
//   cancel buttons) announce themselves to the backend's change sink
//   (backend_changes.h), as the controls' writes do.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/control.h"
#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

class ChangeSink;
class CommandButton;
class WindowManager;
enum class Change : uint8_t;

enum : int16_t { vbModeless = 0, vbModal = 1 };

struct FormEvents {
    std::function<void()> Activate;
    std::function<void()> Unload;
};

class Form : public std::enable_shared_from_this<Form> {
public:
    // Borders and title bar, in twips, around the client area.
    static constexpr int32_t kFrameWidth = 90;
    static constexpr int32_t kFrameHeight = 480;

    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    Hwnd hWnd() const { return hwnd_; }

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);

    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    void SetLeft(int32_t value);
    void SetTop(int32_t value);
    int32_t Width() const { return clientWidth_ + kFrameWidth; }
    int32_t Height() const { return clientHeight_ + kFrameHeight; }
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    int32_t ScaleWidth() const { return clientWidth_; }
    int32_t ScaleHeight() const { return clientHeight_; }
    void SetClientSize(int32_t width, int32_t height);
    // Left, Top and the outer Width and Height at once.
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    bool Modal() const { return modal_; }  // being shown modally now
    bool TopMost() const { return topMost_; }

    void Show(int16_t modal = vbModeless);
    void Hide();
    // True shows it modeless (as Show), false hides it (as Hide).
    void SetVisible(bool value) { value ? Show(vbModeless) : Hide(); }
    void Unload();
    // 0 brings the form to the front of its z-order, 1 sends it to the back.
    void ZOrder(int16_t position = 0);

    // The control that has the focus, or nullptr.
    Control* ActiveControl() const { return active_; }
    CommandButton* DefaultButton() const { return defaultButton_; }
    CommandButton* CancelButton() const { return cancelButton_; }

    // Every control, in the order they were made.
    const std::vector<Control*>& Controls() const { return controls_; }
    // A control by name and array index (-1 for one on its own), or nullptr.
    Control* Find(std::string_view name, int16_t index = -1) const;
    // Every control by TabIndex.
    const std::vector<Control*>& TabOrder() const { return tabOrder_; }
    // These controls first, in this order; the others keep theirs after them.
    void SetTabOrder(std::initializer_list<Control*> controls);
    // Where Tab moves the focus: the next control after the focused one (or the first
    // one, when none has it) that has a tab stop and can take the focus; nullptr when
    // there is none.
    Control* NextInTabOrder() const;

    FormEvents& Events() { return events_; }

    // For SetWindowPos: puts the form in front of all others that are not, or ends that.
    void SetTopMost(bool value);
    // The form itself, kept alive while something of it runs (null for a form that
    // was not made by make_shared).
    std::shared_ptr<const void> KeepAlive() const;

    // The forms shown modally now, the innermost last.
    static const std::vector<Form*>& ModalForms();

private:
    friend class Control;
    friend class CommandButton;
    friend class WindowManager;
    // Tells the backend's change sink, if one is attached, that something drawn changed.
    void Notify(Change change);
    void Notify(Control& control, Change change, int32_t item);
    void Register(Control& control);
    void Unregister(Control& control);
    void MoveFocus(Control* to);
    void SetActiveControl(Control* control);
    void SetPosition(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight);
    void SetDefaultButton(CommandButton* button);
    void SetCancelButton(CommandButton* button);
    // The window manager made it the active window: raises Activate, then gives the
    // focus to the first control in tab order when none has it.
    void Activate();

    std::string name_;
    Hwnd hwnd_;
    std::string caption_;
    int32_t left_ = 0, top_ = 0;
    int32_t clientWidth_ = 4800, clientHeight_ = 3600;
    bool loaded_ = true;
    bool visible_ = false;
    bool modal_ = false;
    bool topMost_ = false;
    bool unloading_ = false;
    std::vector<Control*> controls_;
    std::vector<Control*> tabOrder_;
    Control* active_ = nullptr;
    bool focusAnnounced_ = true;
    uint64_t focusMoves_ = 0;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    ChangeSink* sink_ = nullptr;
    FormEvents events_;
};

}  // namespace platform::toolkit
