// The window that draws one form: a widget for each control, kept in step with the
// model through the change sink (backend_changes.h). Positions and sizes come from
// twips at the screen's logical resolution; the window never writes the model except
// through the person's input.
#pragma once

#include <QLabel>
#include <QWidget>
#include <cstdint>
#include <map>

#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/form.h"

namespace desk {

class FormWindow : public QWidget {
public:
    // followActivation: the person bringing the window to the front activates the form
    // (a desktop; a script activates forms through the model alone).
    FormWindow(platform::toolkit::Form& form, int32_t dpi, bool followActivation);

    // The form, or nullptr once it unloaded (the window is on its way out).
    platform::toolkit::Form* Model() const { return form_; }
    void Detach() { form_ = nullptr; }

    // The widget drawing the control, and the one holding the keyboard when it has the focus.
    QWidget* WidgetOf(const platform::toolkit::Control& control) const;
    QWidget* KeyTarget(const platform::toolkit::Control& control) const;

    void Apply(platform::toolkit::Control& control, platform::toolkit::Change change, int32_t item);
    void ApplyForm(platform::toolkit::Change change);
    // Anything the window holds back (a long list being filled) is drawn now.
    void Flush();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;

private:
    void Build();
    QWidget* Make(platform::toolkit::Control& control);
    void ApplyAll(platform::toolkit::Control& control);
    void Place(platform::toolkit::Control& control);
    void ShowCaption(platform::toolkit::Control& control);
    void FitLabel(QLabel& label);
    void ShowColors(platform::toolkit::Control& control);
    void ShowText(platform::toolkit::Control& control);
    void ShowFocus();
    void ShowButtons();
    void PlaceWindow();

    platform::toolkit::Form* form_;
    int32_t dpi_;
    bool followActivation_;
    std::map<const platform::toolkit::Control*, QWidget*> widgets_;
};

}  // namespace desk
