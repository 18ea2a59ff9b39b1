#include "hosts/desk/toolkit/widget_hands.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <stdexcept>

#include "hosts/desk/toolkit/widget_values.h"
#include "platform/text/text.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/form.h"

namespace desk {

namespace tk = platform::toolkit;

namespace {

void Send(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& typed) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, typed);
    QCoreApplication::sendEvent(&widget, &press);
}

void Send(QWidget& widget, const QKeySequence& sequence) {
    QKeyCombination combination = sequence[0];
    Send(widget, combination.key(), combination.keyboardModifiers(), QString());
}

}  // namespace

FormWindow& WidgetHands::WindowOf(const tk::Form& form) const {
    FormWindow* window = toolkit_->Window(form);
    if (!window) throw std::runtime_error("form " + form.Name() + " has no window");
    return *window;
}

QWidget& WidgetHands::KeyReceiver(const tk::Form& form) const {
    FormWindow& window = WindowOf(form);
    if (tk::Control* focused = form.ActiveControl())
        if (QWidget* target = window.KeyTarget(*focused)) return *target;
    return window;
}

void WidgetHands::Focus(tk::Control& control) {
    auto keep = control.Parent().KeepAlive();
    QWidget* target = WindowOf(control.Parent()).KeyTarget(control);
    if (!target) return;
    target->setFocus(Qt::TabFocusReason);
    // A window the platform has not made active hears of no focus: tell the widget.
    if (!control.HasFocus()) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(target, &in);
    }
}

void WidgetHands::Type(tk::TextControl& box, std::string_view typed) {
    auto keep = box.Parent().KeepAlive();
    Focus(box);
    for (char32_t c : platform::text::Characters(typed)) {
        if (!box.Parent().Loaded()) return;
        QString character = QString::fromUcs4(&c, 1);
        int key = c < 0x80 && c >= 0x20 ? static_cast<int>(QChar(static_cast<char16_t>(c)).toUpper().unicode())
                                        : Qt::Key_unknown;
        if (c == U'\r') key = Qt::Key_Return;
        if (c == U'\t') key = Qt::Key_Tab;
        if (c == U'\b') key = Qt::Key_Backspace;
        if (c == 0x1B) key = Qt::Key_Escape;
        Send(KeyReceiver(box.Parent()), key, Qt::NoModifier, c >= 0x20 ? character : QString());
    }
}

void WidgetHands::Key(tk::Control& control, int16_t key) {
    auto keep = control.Parent().KeepAlive();
    Focus(control);
    QWidget& receiver = KeyReceiver(control.Parent());
    switch (key) {
        case tk::vbKeyReturn: Send(receiver, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); return;
        case tk::vbKeyEscape: Send(receiver, Qt::Key_Escape, Qt::NoModifier, QString(QChar(0x1B))); return;
        case tk::vbKeyBack: Send(receiver, Qt::Key_Backspace, Qt::NoModifier, QString(QChar(0x08))); return;
        case tk::vbKeyTab: Send(receiver, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")); return;
        case tk::vbKeySpace: Send(receiver, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")); return;
        default: {
            QString typed(QChar(static_cast<char16_t>(key)));
            Send(receiver, key >= 'a' && key <= 'z' ? key - 32 : key, Qt::NoModifier, typed);
        }
    }
}

void WidgetHands::Replace(tk::TextControl& box, const std::string& replacement) {
    auto keep = box.Parent().KeepAlive();
    Focus(box);
    if (box.Locked()) return;
    Send(KeyReceiver(box.Parent()), QKeySequence(QKeySequence::SelectAll));
    QApplication::clipboard()->setText(ToQString(replacement));
    Send(KeyReceiver(box.Parent()), QKeySequence(QKeySequence::Paste));
}

void WidgetHands::Pick(tk::ComboBox& box, int32_t position) {
    auto keep = box.Parent().KeepAlive();
    auto* combo = dynamic_cast<QComboBox*>(WindowOf(box.Parent()).WidgetOf(box));
    if (!combo) throw std::runtime_error(box.DisplayName() + " is not drawn as a combo box");
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(position, 0));
    Send(*list, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

void WidgetHands::Click(tk::Control& control) {
    auto keep = control.Parent().KeepAlive();
    QWidget* widget = WindowOf(control.Parent()).WidgetOf(control);
    if (!widget) return;
    QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    QPointF global = widget->mapToGlobal(middle);
    QMouseEvent press(QEvent::MouseButtonPress, middle, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void WidgetHands::KeyboardClick(tk::Control& button) {
    auto keep = button.Parent().KeepAlive();
    if (auto* view = dynamic_cast<QAbstractButton*>(WindowOf(button.Parent()).WidgetOf(button))) view->click();
}

void WidgetHands::CloseBox(tk::Form& form) {
    auto keep = form.KeepAlive();
    WindowOf(form).close();
}

}  // namespace desk
