#include "hosts/sim/runner/widget_screen.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "hosts/desk/toolkit/qt_toolkit.h"
#include "hosts/desk/toolkit/widget_hands.h"
#include "hosts/sim/runner/person_at_screen.h"

namespace sim::runner {

namespace {

// The off-screen platform says, for every window, what it cannot do (raise it, grab
// the keyboard); a scenario's output keeps to its own lines.
void QuietPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support")) ||
        message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The application the widgets need, made once for this process, off screen unless
// QT_QPA_PLATFORM says otherwise.
void StartApplication() {
    if (QApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(QuietPlatform);
    static int arguments = 1;
    static char program[] = "quillet-sim";
    static char* argument[] = {program, nullptr};
    static QApplication application(arguments, argument);
}

// The toolkit, with the person standing in at its screen; kept together.
class ScreenToolkit final : public desk::QtToolkit {
public:
    explicit ScreenToolkit(std::unique_ptr<PersonAtScreen> person)
        : desk::QtToolkit(person.get()), person_(std::move(person)) {}

private:
    std::unique_ptr<PersonAtScreen> person_;
};

class WidgetHandsOf final : public Hands {
public:
    explicit WidgetHandsOf(std::shared_ptr<desk::QtToolkit> toolkit) : toolkit_(toolkit), hands_(*toolkit) {}
    void Focus(Control& control) override { hands_.Focus(control); }
    void Type(platform::toolkit::TextControl& box, std::string_view text) override { hands_.Type(box, text); }
    void Key(Control& control, int16_t key) override { hands_.Key(control, key); }
    void Replace(platform::toolkit::TextControl& box, const std::string& text) override { hands_.Replace(box, text); }
    void Pick(platform::toolkit::ComboBox& box, int32_t position) override { hands_.Pick(box, position); }
    void Click(Control& control) override { hands_.Click(control); }
    void KeyboardClick(Control& button) override { hands_.KeyboardClick(button); }
    void CloseBox(Form& form) override { hands_.CloseBox(form); }

private:
    std::shared_ptr<desk::QtToolkit> toolkit_;
    desk::WidgetHands hands_;
};

}  // namespace

WidgetScreen MakeWidgetScreen(Person& person, std::optional<std::filesystem::path> screenshots) {
    StartApplication();
    auto toolkit = std::make_shared<ScreenToolkit>(std::make_unique<PersonAtScreen>(person));
    if (screenshots) toolkit->SaveScreenshotsIn(*screenshots);
    WidgetScreen screen;
    screen.hands = std::make_unique<WidgetHandsOf>(toolkit);
    screen.toolkit = std::move(toolkit);
    return screen;
}

}  // namespace sim::runner
