#include "hosts/desk/toolkit/control_widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTextCursor>
#include <type_traits>
#include <utility>

#include "hosts/desk/toolkit/widget_values.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/input.h"

namespace desk {

namespace input = platform::toolkit::input;
using platform::toolkit::ComboBox;
using platform::toolkit::Control;
using platform::toolkit::ControlKind;
using platform::toolkit::Form;
using platform::toolkit::TextControl;

namespace {

bool IsNavigation(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: return true;
        default: return event.matches(QKeySequence::SelectAll) || event.matches(QKeySequence::Copy);
    }
}

// A text pasted over the selection, as typed into it at once.
void Paste(TextControl& box, const QString& pasted) {
    auto keep = box.Parent().KeepAlive();
    if (box.Locked() || !input::Refusal(box).empty()) return;
    box.SetSelText(ToUtf8(pasted));
}

// The Delete key: the selection, or else the character after the caret, goes.
void DeleteForward(TextControl& box) {
    auto keep = box.Parent().KeepAlive();
    if (box.Locked() || !input::Refusal(box).empty()) return;
    if (box.SelLength() == 0) {
        if (box.SelStart() >= box.TextLength()) return;
        box.SetSelLength(1);
    }
    box.SetSelText("");
}

// What a text widget does with a key: the toolkit's keys go to the model; moving the
// caret and selecting are the widget's, and the model takes the selection after.
template <class Widget>
void BoxKey(Widget& widget, TextControl& box, QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        Paste(box, QApplication::clipboard()->text());
        return;
    }
    if (IsNavigation(*event)) {
        widget.WidgetKey(event);
        widget.TakeSelectionFromWidget();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        DeleteForward(box);
        return;
    }
    DeliverKey(box.Parent(), *event);
}

// A click in a box: its mouse-down and its Click, once the button is up inside it.
void ClickedAt(Control& box, const QWidget& widget, const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton || !widget.rect().contains(event.position().toPoint())) return;
    auto keep = box.Parent().KeepAlive();
    if (input::Refusal(box).empty()) input::Click(box);
}

}  // namespace

bool DeliverKey(Form& form, const QKeyEvent& event) {
    auto keep = form.KeepAlive();
    if (!input::Refusal(form).empty()) return true;
    const auto modifiers = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event.key()) {
        case Qt::Key_Tab: input::Key(form, platform::toolkit::vbKeyTab); return true;
        case Qt::Key_Backtab: return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: input::Key(form, platform::toolkit::vbKeyReturn); return true;
        case Qt::Key_Escape: input::Key(form, platform::toolkit::vbKeyEscape); return true;
        case Qt::Key_Backspace: input::Key(form, platform::toolkit::vbKeyBack); return true;
        default: break;
    }
    if (modifiers != Qt::NoModifier) return false;
    const QString typed = event.text();
    if (typed.isEmpty()) return false;
    for (char32_t c : typed.toUcs4())
        if (c >= 0x20 && c != 0x7F) input::Character(form, c);
    return true;
}

void PersonFocused(Control& control, Qt::FocusReason reason) {
    if (reason != Qt::MouseFocusReason && reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
        reason != Qt::ShortcutFocusReason)
        return;
    auto keep = control.Parent().KeepAlive();
    if (control.HasFocus() || !control.CanFocus() || !input::Refusal(control).empty()) return;
    control.SetFocus();
}

// ---- single-line text ----------------------------------------------------------------

LineEditView::LineEditView(TextControl& box, QWidget* parent) : QLineEdit(parent), box_(&box) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

void LineEditView::ShowText(const std::string& value) {
    QString shown = ShownText(value, false);
    if (text() != shown) setText(shown);
}

void LineEditView::ShowSelection(int32_t start, int32_t length) {
    const std::string value = box_->Text();
    int32_t from = WidgetPosition(value, start, false);
    int32_t to = WidgetPosition(value, start + length, false);
    if (to > from)
        setSelection(from, to - from);
    else
        setCursorPosition(from);
}

void LineEditView::TakeSelectionFromWidget() {
    const std::string value = box_->Text();
    if (text() != ShownText(value, false)) return;
    int32_t from = hasSelectedText() ? selectionStart() : cursorPosition();
    int32_t to = hasSelectedText() ? selectionEnd() : from;
    int32_t start = ModelPosition(value, from, false);
    int32_t end = ModelPosition(value, to, false);
    auto keep = box_->Parent().KeepAlive();
    box_->SetSelStart(start);
    box_->SetSelLength(end - start);
}

void LineEditView::keyPressEvent(QKeyEvent* event) { BoxKey<LineEditView>(*this, *box_, event); }

void LineEditView::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    PersonFocused(*box_, event->reason());
    ShowSelection(box_->SelStart(), box_->SelLength());
}

void LineEditView::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    TakeSelectionFromWidget();
}
void LineEditView::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    if (event->buttons() & Qt::LeftButton) TakeSelectionFromWidget();
}
void LineEditView::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    TakeSelectionFromWidget();
    ClickedAt(*box_, *this, *event);
}
void LineEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    TakeSelectionFromWidget();
}
void LineEditView::contextMenuEvent(QContextMenuEvent*) {}

// ---- multi-line text -------------------------------------------------------------------

PlainEditView::PlainEditView(TextControl& box, QWidget* parent) : QPlainTextEdit(parent), box_(&box) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setReadOnly(box.Kind() == ControlKind::RichTextBox);
    setTabChangesFocus(false);
}

void PlainEditView::ShowText(const std::string& value) {
    QString shown = ShownText(value, true);
    if (toPlainText() != shown) setPlainText(shown);
}

void PlainEditView::ShowSelection(int32_t start, int32_t length) {
    const std::string value = box_->Text();
    QTextCursor cursor(document());
    cursor.setPosition(WidgetPosition(value, start, true));
    cursor.setPosition(WidgetPosition(value, start + length, true), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void PlainEditView::TakeSelectionFromWidget() {
    const std::string value = box_->Text();
    if (toPlainText() != ShownText(value, true)) return;
    QTextCursor cursor = textCursor();
    int32_t start = ModelPosition(value, cursor.selectionStart(), true);
    int32_t end = ModelPosition(value, cursor.selectionEnd(), true);
    auto keep = box_->Parent().KeepAlive();
    box_->SetSelStart(start);
    box_->SetSelLength(end - start);
}

void PlainEditView::keyPressEvent(QKeyEvent* event) { BoxKey<PlainEditView>(*this, *box_, event); }

void PlainEditView::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    PersonFocused(*box_, event->reason());
    ShowSelection(box_->SelStart(), box_->SelLength());
}

void PlainEditView::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    TakeSelectionFromWidget();
}
void PlainEditView::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    if (event->buttons() & Qt::LeftButton) TakeSelectionFromWidget();
}
void PlainEditView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    TakeSelectionFromWidget();
    ClickedAt(*box_, *this, *event);
}
void PlainEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    TakeSelectionFromWidget();
}
void PlainEditView::contextMenuEvent(QContextMenuEvent*) {}
void PlainEditView::insertFromMimeData(const QMimeData* source) { Paste(*box_, source->text()); }

// ---- combo box ---------------------------------------------------------------------------

ComboView::ComboView(ComboBox& box, QWidget* parent) : QComboBox(parent), box_(&box) {
    // A plain list of strings: a long project list goes in at once.
    entries_ = new QStringListModel(this);
    setModel(entries_);
    setEditable(true);
    edit_ = new LineEditView(box, this);
    setLineEdit(edit_);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    // The model gives the size; measuring every entry of a long list would cost more.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, [this](int position) {
        auto keep = box_->Parent().KeepAlive();
        input::Pick(*box_, position);
        ShowSelected();
    });
}

void ComboView::ShowList() {
    QSignalBlocker block(this);
    appended_.clear();
    QStringList entries;
    entries.reserve(qsizetype(box_->Items().size()));
    for (const std::string& entry : box_->Items()) entries << ToQString(entry);
    entries_->setStringList(entries);
    ShowSelected();
}

void ComboView::Insert(int32_t position) {
    if (position == count() + appended_.size()) {
        appended_ << ToQString(box_->List(position));
        return;
    }
    Flush();
    QSignalBlocker block(this);
    insertItem(position, ToQString(box_->List(position)));
    if (currentIndex() != box_->ListIndex()) ShowSelected();
}

void ComboView::Remove(int32_t position) {
    Flush();
    QSignalBlocker block(this);
    removeItem(position);
    if (currentIndex() != box_->ListIndex()) ShowSelected();
}

void ComboView::Rewrite(int32_t position) {
    Flush();
    setItemText(position, ToQString(box_->List(position)));
}

void ComboView::Flush() {
    if (appended_.isEmpty()) return;
    QSignalBlocker block(this);
    QStringList entries = entries_->stringList();
    entries += std::exchange(appended_, {});
    entries_->setStringList(entries);
    if (currentIndex() != box_->ListIndex()) ShowSelected();
}

void ComboView::ShowSelected() {
    Flush();
    QSignalBlocker block(this);
    if (currentIndex() != box_->ListIndex()) setCurrentIndex(box_->ListIndex());
    edit_->ShowText(box_->Text());
    edit_->ShowSelection(box_->SelStart(), box_->SelLength());
}

void ComboView::showPopup() {
    Flush();
    showing_ = true;
    QComboBox::showPopup();
    showing_ = false;
}

void ComboView::hidePopup() {
    QComboBox::hidePopup();
    if (showing_ || !box_->DroppedDown()) return;
    // The person closed the list the program opened.
    auto keep = box_->Parent().KeepAlive();
    box_->ShowDropDown(false);
}

void ComboView::OpenList(bool open) {
    Flush();
    showing_ = true;
    if (open)
        QComboBox::showPopup();
    else
        QComboBox::hidePopup();
    showing_ = false;
}

void ComboView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        QComboBox::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) return;
    BoxKey<LineEditView>(*edit_, *box_, event);
}

void ComboView::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    PersonFocused(*box_, event->reason());
    edit_->ShowSelection(box_->SelStart(), box_->SelLength());
}

void ComboView::wheelEvent(QWheelEvent* event) { event->ignore(); }

// ---- buttons -----------------------------------------------------------------------------

template <class Base>
ButtonView<Base>::ButtonView(Control& control, QWidget* parent) : Base(parent), control_(&control) {
    if constexpr (std::is_same_v<Base, QRadioButton>) Base::setAutoExclusive(false);
    if constexpr (std::is_same_v<Base, QPushButton>) Base::setAutoDefault(false);
    QObject::connect(this, &QAbstractButton::clicked, this, [this] {
        auto keep = control_->Parent().KeepAlive();
        if (input::Refusal(*control_).empty()) input::KeyboardClick(*control_);
        ShowValue();
    });
}

template <class Base>
void ButtonView<Base>::ShowValue() {
    QSignalBlocker block(this);
    if constexpr (std::is_same_v<Base, QCheckBox>) {
        int16_t value = static_cast<platform::toolkit::CheckBox&>(*control_).Value();
        Base::setTristate(value == platform::toolkit::vbGrayed);
        Base::setCheckState(value == platform::toolkit::vbChecked  ? Qt::Checked
                            : value == platform::toolkit::vbGrayed ? Qt::PartiallyChecked
                                                                   : Qt::Unchecked);
    } else if constexpr (std::is_same_v<Base, QRadioButton>) {
        Base::setChecked(static_cast<platform::toolkit::OptionButton&>(*control_).Value());
    }
}

template <class Base>
void ButtonView<Base>::keyPressEvent(QKeyEvent* event) {
    DeliverKey(control_->Parent(), *event);
}

template <class Base>
void ButtonView<Base>::keyReleaseEvent(QKeyEvent*) {}

template <class Base>
void ButtonView<Base>::focusInEvent(QFocusEvent* event) {
    Base::focusInEvent(event);
    PersonFocused(*control_, event->reason());
}

template <class Base>
void ButtonView<Base>::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Base::setDown(true);
}

template <class Base>
void ButtonView<Base>::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Base::setDown(false);
    if (!Base::rect().contains(event->position().toPoint())) return;
    auto keep = control_->Parent().KeepAlive();
    if (input::Refusal(*control_).empty()) input::Click(*control_);
    ShowValue();
}

template class ButtonView<QPushButton>;
template class ButtonView<QCheckBox>;
template class ButtonView<QRadioButton>;

// ---- labels and frames ------------------------------------------------------------------

template <class Base>
CaptionView<Base>::CaptionView(Control& control, QWidget* parent) : Base(parent), control_(&control) {}

template <class Base>
void CaptionView<Base>::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Base::rect().contains(event->position().toPoint())) return;
    auto keep = control_->Parent().KeepAlive();
    if (input::Refusal(*control_).empty()) input::Click(*control_);
}

template class CaptionView<QLabel>;
template class CaptionView<QGroupBox>;

}  // namespace desk
