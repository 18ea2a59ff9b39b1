#include "hosts/desk/toolkit/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QSignalBlocker>

#include "hosts/desk/toolkit/control_widgets.h"
#include "hosts/desk/toolkit/widget_values.h"
#include "platform/toolkit/backend_pictures.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/twips.h"

namespace desk {

namespace input = platform::toolkit::input;
namespace tk = platform::toolkit;
using tk::Change;
using tk::Control;
using tk::ControlKind;

namespace {

// A caption without its access-key marks, for widgets that cannot underline them:
// "&&" is an ampersand, a single "&" goes.
QString WithoutAccessKey(const std::string& caption) {
    QString shown;
    QString text = ToQString(caption);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

bool HasAccessKey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return true;
        ++i;
    }
    return false;
}

// The smallest size a label's font shrinks to so that its caption fits on its line.
constexpr double kSmallestPoints = 6.5;

bool IsTextKind(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::RichTextBox; }

}  // namespace

FormWindow::FormWindow(tk::Form& form, int32_t dpi, bool followActivation)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), form_(&form), dpi_(dpi),
      followActivation_(followActivation) {
    setObjectName(ToQString(form.Name()));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The designer's font: MS Sans Serif at 8 points, else a sans serif of its metrics.
    QFont designer = font();
    designer.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                          QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    designer.setPointSize(8);
    setFont(designer);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    Build();
}

QWidget* FormWindow::WidgetOf(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

// A combo box keeps the keyboard itself and hands its edit what is the edit's.
QWidget* FormWindow::KeyTarget(const Control& control) const { return WidgetOf(control); }

void FormWindow::Build() {
    for (Control* control : form_->Controls()) widgets_[control] = Make(*control);
    for (Control* control : form_->Controls()) ApplyAll(*control);
    // A label's access key takes the focus to the control after it in tab order.
    const auto& order = form_->TabOrder();
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i]->Kind() != ControlKind::Label) continue;
        auto* label = static_cast<LabelView*>(widgets_[order[i]]);
        for (size_t k = i + 1; k < order.size(); ++k)
            if (order[k]->TakesFocus()) {
                label->setBuddy(KeyTarget(*order[k]));
                break;
            }
        ShowCaption(*order[i]);
    }
    PlaceWindow();
    setWindowTitle(ToQString(form_->Caption()));
    ShowButtons();
}

QWidget* FormWindow::Make(Control& control) {
    switch (control.Kind()) {
        case ControlKind::Label: {
            auto* label = new LabelView(control, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<tk::TextBox&>(control);
            if (box.MultiLine()) return new PlainEditView(box, this);
            auto* line = new LineEditView(box, this);
            line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return line;
        }
        case ControlKind::RichTextBox: return new PlainEditView(static_cast<tk::TextControl&>(control), this);
        case ControlKind::ComboBox: return new ComboView(static_cast<tk::ComboBox&>(control), this);
        case ControlKind::CommandButton: return new CommandButtonView(control, this);
        case ControlKind::CheckBox: return new CheckBoxView(control, this);
        case ControlKind::OptionButton: return new OptionButtonView(control, this);
        case ControlKind::Frame: return new FrameView(control, this);
    }
    return new QWidget(this);
}

void FormWindow::ApplyAll(Control& control) {
    QWidget* widget = widgets_[&control];
    widget->setObjectName(ToQString(control.DisplayName()));
    Place(control);
    ShowCaption(control);
    ShowColors(control);
    ShowText(control);
    if (auto* combo = dynamic_cast<ComboView*>(widget)) combo->ShowList();
    widget->setToolTip(ToQString(control.ToolTipText()));
    widget->setEnabled(control.Enabled());
    widget->setVisible(control.Visible());
    if (auto* check = dynamic_cast<CheckBoxView*>(widget)) check->ShowValue();
    if (auto* option = dynamic_cast<OptionButtonView*>(widget)) option->ShowValue();
}

void FormWindow::Place(Control& control) {
    QWidget* widget = widgets_[&control];
    QWidget* parent = this;
    int32_t originX = 0, originY = 0;
    if (tk::Frame* frame = control.Container()) {
        parent = widgets_[frame];
        originX = tk::TwipsToPixels(frame->FormLeft(), dpi_);
        originY = tk::TwipsToPixels(frame->FormTop(), dpi_);
    }
    if (widget->parentWidget() != parent) {
        widget->setParent(parent);
        widget->setVisible(control.Visible());
    }
    auto rect = tk::TwipsToPixels(control.FormLeft(), control.FormTop(), control.Width(), control.Height(), dpi_);
    widget->setGeometry(rect.left - originX, rect.top - originY, rect.width, rect.height);
    if (auto* label = dynamic_cast<LabelView*>(widget)) FitLabel(*label);
    // What a frame holds moves with it.
    if (control.Kind() == ControlKind::Frame)
        for (Control* other : form_->Controls())
            if (other->Container() == &control) Place(*other);
}

// A label tall enough for more than one line breaks its caption into lines. One line
// high, it keeps its caption whole: where this machine's font is wider than the
// designer's, the font shrinks a little until the caption fits.
void FormWindow::FitLabel(QLabel& label) {
    QFont fitted = font();
    label.setWordWrap(label.height() >= 2 * QFontMetrics(fitted).height());
    if (!label.wordWrap()) {
        const QString shown = WithoutAccessKey(ToUtf8(label.text()));
        while (QFontMetrics(fitted).horizontalAdvance(shown) > label.width() && fitted.pointSizeF() > kSmallestPoints)
            fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
    }
    label.setFont(fitted);
}

void FormWindow::ShowCaption(Control& control) {
    QWidget* widget = widgets_[&control];
    switch (control.Kind()) {
        case ControlKind::Label: {
            auto* label = static_cast<LabelView*>(widget);
            const std::string caption = static_cast<tk::Label&>(control).Caption();
            label->setText(label->buddy() && HasAccessKey(caption) ? ToQString(caption) : WithoutAccessKey(caption));
            FitLabel(*label);
            break;
        }
        case ControlKind::CommandButton: {
            auto& button = static_cast<tk::CommandButton&>(control);
            auto* view = static_cast<CommandButtonView*>(widget);
            view->setText(ToQString(button.Caption()));
            if (auto file = tk::PictureFile(button.Picture(), dpi_)) {
                view->setIcon(QIcon(QString::fromStdString(file->string())));
                int32_t side = tk::TwipsToPixels(240, dpi_);
                view->setIconSize(QSize(side, side));
            } else {
                view->setIcon(QIcon());
            }
            break;
        }
        case ControlKind::CheckBox:
            static_cast<CheckBoxView*>(widget)->setText(ToQString(static_cast<tk::CheckBox&>(control).Caption()));
            break;
        case ControlKind::OptionButton:
            static_cast<OptionButtonView*>(widget)->setText(
                ToQString(static_cast<tk::OptionButton&>(control).Caption()));
            break;
        case ControlKind::Frame:
            static_cast<FrameView*>(widget)->setTitle(ToQString(static_cast<tk::Frame&>(control).Caption()));
            break;
        default: break;
    }
}

void FormWindow::ShowColors(Control& control) {
    QWidget* widget = widgets_[&control];
    const QPalette system = QApplication::palette();
    QColor back = ToQColor(control.BackColor(), system);
    QColor fore = ToQColor(control.ForeColor(), system);
    QPalette palette = widget->palette();
    switch (control.Kind()) {
        case ControlKind::TextBox:
        case ControlKind::RichTextBox:
        case ControlKind::ComboBox:
            palette.setColor(QPalette::Base, back);
            palette.setColor(QPalette::Text, fore);
            break;
        case ControlKind::CommandButton:
            palette.setColor(QPalette::Button, back);
            palette.setColor(QPalette::ButtonText, fore);
            break;
        default:
            palette.setColor(QPalette::Window, back);
            palette.setColor(QPalette::WindowText, fore);
            widget->setAutoFillBackground(control.Kind() == ControlKind::Label);
            break;
    }
    widget->setPalette(palette);
}

void FormWindow::ShowText(Control& control) {
    QWidget* widget = widgets_[&control];
    if (auto* combo = dynamic_cast<ComboView*>(widget)) {
        combo->ShowSelected();
        combo->Edit().setReadOnly(static_cast<tk::TextControl&>(control).Locked());
        return;
    }
    if (!IsTextKind(control.Kind())) return;
    auto& box = static_cast<tk::TextControl&>(control);
    auto* view = dynamic_cast<TextView*>(widget);
    view->ShowText(box.Text());
    view->ShowSelection(box.SelStart(), box.SelLength());
    if (auto* line = dynamic_cast<QLineEdit*>(widget)) line->setReadOnly(box.Locked());
    if (auto* plain = dynamic_cast<QPlainTextEdit*>(widget))
        plain->setReadOnly(box.Locked() || control.Kind() == ControlKind::RichTextBox);
}

void FormWindow::Apply(Control& control, Change change, int32_t item) {
    QWidget* widget = WidgetOf(control);
    if (!widget || !form_) return;
    auto* combo = dynamic_cast<ComboView*>(widget);
    switch (change) {
        case Change::Caption:
        case Change::Picture: ShowCaption(control); break;
        case Change::Text:
        case Change::Selection:
        case Change::Locked:
        case Change::ListIndex: ShowText(control); break;
        case Change::Visible: widget->setVisible(control.Visible()); break;
        case Change::Enabled: widget->setEnabled(control.Enabled()); break;
        case Change::Position: Place(control); break;
        case Change::BackColor:
        case Change::ForeColor: ShowColors(control); break;
        case Change::ToolTip: widget->setToolTip(ToQString(control.ToolTipText())); break;
        case Change::Value:
            if (auto* check = dynamic_cast<CheckBoxView*>(widget)) check->ShowValue();
            if (auto* option = dynamic_cast<OptionButtonView*>(widget)) option->ShowValue();
            break;
        case Change::MultiLine: {
            // A box that starts or stops breaking lines is drawn by another widget.
            widgets_.erase(&control);
            widget->deleteLater();
            widgets_[&control] = Make(control);
            ApplyAll(control);
            break;
        }
        case Change::ItemAdded:
            if (combo) combo->Insert(item);
            break;
        case Change::ItemRemoved:
            if (combo) combo->Remove(item);
            break;
        case Change::ItemChanged:
            if (combo) combo->Rewrite(item);
            break;
        case Change::ItemsCleared:
            if (combo) combo->ShowList();
            break;
        case Change::DroppedDown:
            if (combo) combo->OpenList(static_cast<tk::ComboBox&>(control).DroppedDown());
            break;
        default: break;
    }
}

void FormWindow::ApplyForm(Change change) {
    if (!form_) return;
    switch (change) {
        case Change::Caption: setWindowTitle(ToQString(form_->Caption())); break;
        case Change::Position: PlaceWindow(); break;
        case Change::Focus: ShowFocus(); break;
        case Change::DefaultButton:
        case Change::CancelButton: ShowButtons(); break;
        default: break;
    }
}

void FormWindow::Flush() {
    for (auto& [control, widget] : widgets_)
        if (auto* combo = dynamic_cast<ComboView*>(widget)) combo->Flush();
}

void FormWindow::ShowFocus() {
    Control* focused = form_->ActiveControl();
    if (!focused) return;
    if (QWidget* target = KeyTarget(*focused); target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
}

void FormWindow::ShowButtons() {
    for (auto& [control, widget] : widgets_)
        if (control->Kind() == ControlKind::CommandButton)
            static_cast<CommandButtonView*>(widget)->setDefault(form_->DefaultButton() == control);
}

void FormWindow::PlaceWindow() {
    setFixedSize(tk::TwipsToPixels(form_->ScaleWidth(), dpi_), tk::TwipsToPixels(form_->ScaleHeight(), dpi_));
    move(tk::TwipsToPixels(form_->Left(), dpi_), tk::TwipsToPixels(form_->Top(), dpi_));
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!form_ || !input::Refusal(*form_).empty()) return;
    auto keep = form_->KeepAlive();
    input::CloseBox(*form_);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (form_) DeliverKey(*form_, *event);
}

// Tab belongs to the model's tab order, never to the widgets' focus chain.
bool FormWindow::focusNextPrevChild(bool) { return false; }

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && followActivation_ && form_ && isVisible()) {
        auto keep = form_->KeepAlive();
        tk::WindowManager::Get().Activate(*form_);
    }
    return QWidget::event(event);
}

}  // namespace desk
