#include "hosts/desk/toolkit/qt_toolkit.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <cmath>

#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/window_calls.h"

namespace desk {

namespace tk = platform::toolkit;
using tk::WindowManager;

QtToolkit::QtToolkit(Operator* stand_in) : standIn_(stand_in), dpi_(tk::kStandardDpi) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dpi_ = static_cast<int32_t>(std::lround(screen->logicalDotsPerInch()));
}

QtToolkit::~QtToolkit() {
    for (auto& [form, window] : windows_) delete window.data();
    if (waiting_) QApplication::restoreOverrideCursor();
}

FormWindow* QtToolkit::Window(const Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.data();
}

void QtToolkit::Shown(Form& form) {
    FormWindow* window = Window(form);
    if (!window) {
        window = new FormWindow(form, dpi_, standIn_ == nullptr);
        windows_[&form] = window;
    }
    window->setWindowModality(form.Modal() ? Qt::ApplicationModal : Qt::NonModal);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, form.TopMost());
    WindowManager::Get().Attach(form, this);
    window->Flush();
    window->show();
}

void QtToolkit::Activated(Form& form) {
    if (FormWindow* window = Window(form)) {
        window->raise();
        window->activateWindow();
    }
}

void QtToolkit::RunModal(Form& form) {
    if (standIn_) {
        standIn_->RunModal(form);
        return;
    }
    QEventLoop loop;
    loops_[&form] = &loop;
    if (form.Loaded()) loop.exec();
    loops_.erase(&form);
}

void QtToolkit::Hidden(Form& form) {
    Screenshot(form);
    if (FormWindow* window = Window(form)) window->hide();
}

void QtToolkit::Unloaded(Form& form) {
    Screenshot(form);
    WindowManager::Get().Attach(form, nullptr);
    if (auto it = windows_.find(&form); it != windows_.end()) {
        if (FormWindow* window = it->second.data()) {
            window->Detach();
            window->hide();
            window->deleteLater();
        }
        windows_.erase(it);
    }
    if (auto it = loops_.find(&form); it != loops_.end()) it->second->quit();
}

void QtToolkit::ZOrderChanged(Form& form) {
    if (FormWindow* window = Window(form)) {
        bool top = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (top != form.TopMost()) {
            window->setWindowFlag(Qt::WindowStaysOnTopHint, form.TopMost());
            if (form.Visible()) window->show();
        }
    }
    for (Form* stacked : WindowManager::Get().ZOrder())
        if (FormWindow* window = Window(*stacked); window && window->isVisible()) window->raise();
}

void QtToolkit::MousePointerChanged(int16_t pointer) {
    bool wait = pointer == tk::vbHourglass;
    if (wait == waiting_) return;
    waiting_ = wait;
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtToolkit::ControlChanged(tk::Control& control, tk::Change change, int32_t item) {
    if (FormWindow* window = Window(control.Parent())) window->Apply(control, change, item);
}

void QtToolkit::FormChanged(Form& form, tk::Change change) {
    if (FormWindow* window = Window(form)) window->ApplyForm(change);
}

QWidget* QtToolkit::DialogOwner(tk::Hwnd owner) const {
    if (Form* form = owner ? WindowManager::Get().FindForm(owner) : nullptr)
        if (FormWindow* window = Window(*form)) return window;
    if (Form* active = WindowManager::Get().ActiveForm()) return Window(*active);
    return nullptr;
}

void QtToolkit::Screenshot(const Form& form) {
    FormWindow* window = Window(form);
    if (!screenshots_ || !window || !window->isVisible()) return;
    window->Flush();
    std::filesystem::create_directories(*screenshots_);
    window->grab().save(QString::fromStdString((*screenshots_ / (form.Name() + ".png")).string()));
}

}  // namespace desk
