// The widgets that draw the controls. Each one shows its control's values (the form
// window writes them, form_window.h) and turns the person's keys and clicks into the
// toolkit's input (platform/toolkit/input.h), so that the model raises its events
// exactly as it does for the headless toolkit's person. A widget never changes a
// value on its own: a key typed into a box reaches the model, and the model's change
// comes back to the widget.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>

#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/text_box.h"

namespace desk {

// A key pressed in one of a form's widgets, delivered to the form (its focused control
// takes it, as on Windows). True when the key meant something to the toolkit.
bool DeliverKey(platform::toolkit::Form& form, const QKeyEvent& event);
// The person moved the focus into the control (mouse, Tab, an access key): the model
// follows. Focus the program moved (or a window's activation) is not the person's.
void PersonFocused(platform::toolkit::Control& control, Qt::FocusReason reason);

// What the text widgets share: the box they show and how they keep its selection.
class TextView {
public:
    virtual ~TextView() = default;
    virtual void ShowText(const std::string& text) = 0;
    virtual void ShowSelection(int32_t start, int32_t length) = 0;
    virtual QWidget* Widget() = 0;
};

class LineEditView : public QLineEdit, public TextView {
public:
    LineEditView(platform::toolkit::TextControl& box, QWidget* parent);
    void ShowText(const std::string& text) override;
    void ShowSelection(int32_t start, int32_t length) override;
    QWidget* Widget() override { return this; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
public:
    // The person moved the caret or the selection in the widget: the model takes it.
    void TakeSelectionFromWidget();
    // The widget's own handling of a key (caret moves, selection).
    void WidgetKey(QKeyEvent* event) { QLineEdit::keyPressEvent(event); }

private:
    platform::toolkit::TextControl* box_;
};

// A multi-line text box, and the read-only rich-text box.
class PlainEditView : public QPlainTextEdit, public TextView {
public:
    PlainEditView(platform::toolkit::TextControl& box, QWidget* parent);
    void ShowText(const std::string& text) override;
    void ShowSelection(int32_t start, int32_t length) override;
    QWidget* Widget() override { return this; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

public:
    void TakeSelectionFromWidget();
    void WidgetKey(QKeyEvent* event) { QPlainTextEdit::keyPressEvent(event); }

private:
    platform::toolkit::TextControl* box_;
};

class ComboView : public QComboBox {
public:
    ComboView(platform::toolkit::ComboBox& box, QWidget* parent);
    LineEditView& Edit() { return *edit_; }
    // Shows the model's entries, its selected one and its text.
    void ShowList();
    void ShowSelected();
    // One entry of the model's list inserted, removed or rewritten. Entries appended
    // one after another are held back and added together (Flush), as a long project
    // list is filled.
    void Insert(int32_t position);
    void Remove(int32_t position);
    void Rewrite(int32_t position);
    void Flush();
    // The program opened or closed the list.
    void OpenList(bool open);
    void showPopup() override;
    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    platform::toolkit::ComboBox* box_;
    LineEditView* edit_;
    QStringListModel* entries_;
    QStringList appended_;
    bool showing_ = false;
};

// Buttons: command button (with or without a picture), check box, option button.
// Mouse and keys go to the model; an access key (or a program's click on the widget)
// is the keyboard's click.
template <class Base>
class ButtonView : public Base {
public:
    ButtonView(platform::toolkit::Control& control, QWidget* parent);
    // Shows the check box's or option button's value.
    void ShowValue();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    platform::toolkit::Control* control_;
};

using CommandButtonView = ButtonView<QPushButton>;
using CheckBoxView = ButtonView<QCheckBox>;
using OptionButtonView = ButtonView<QRadioButton>;

// A label or a frame: a mouse click is its Click.
template <class Base>
class CaptionView : public Base {
public:
    CaptionView(platform::toolkit::Control& control, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    platform::toolkit::Control* control_;
};

using LabelView = CaptionView<QLabel>;
using FrameView = CaptionView<QGroupBox>;

}  // namespace desk
