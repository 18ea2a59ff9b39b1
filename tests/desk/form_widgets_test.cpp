// Each form's widgets as its model says: place and size from twips, captions,
// visibility, tips; and Tab on the real widgets follows the model's tab order.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "addin/forms/frmFolderMessage.h"
#include "addin/forms/frmProjInfo.h"
#include "addin/forms/frmQuillet.h"
#include "addin/forms/frmSetup.h"
#include "hosts/desk/toolkit/widget_values.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/twips.h"
#include "tests/desk/qt_fixture.h"

namespace desk_test {
namespace {

using namespace platform::toolkit;

class FormWidgets : public QtFixture {
protected:
    // Every control's widget against its model, in the shown form's window.
    void ExpectDrawnAsModel(Form& form) {
        form.Show(vbModeless);
        desk::FormWindow* window = toolkit->Window(form);
        ASSERT_NE(window, nullptr);
        const int32_t dpi = toolkit->Dpi();
        EXPECT_EQ(window->size(), QSize(TwipsToPixels(form.ScaleWidth(), dpi), TwipsToPixels(form.ScaleHeight(), dpi)));
        EXPECT_EQ(desk::ToUtf8(window->windowTitle()), form.Caption());
        for (Control* control : form.Controls()) {
            SCOPED_TRACE(form.Name() + "." + control->DisplayName());
            QWidget* widget = window->WidgetOf(*control);
            ASSERT_NE(widget, nullptr);
            auto rect = TwipsToPixels(control->FormLeft(), control->FormTop(), control->Width(), control->Height(), dpi);
            QPoint at = widget->mapTo(window, QPoint(0, 0));
            EXPECT_EQ(QRect(at, widget->size()), QRect(rect.left, rect.top, rect.width, rect.height));
            EXPECT_EQ(widget->isVisibleTo(window), control->Shown());
            EXPECT_EQ(widget->isEnabled(), control->Usable());
            EXPECT_EQ(desk::ToUtf8(widget->toolTip()), control->ToolTipText());
            if (control->Kind() == ControlKind::CommandButton) {
                auto& button = static_cast<CommandButton&>(*control);
                EXPECT_EQ(desk::ToUtf8(static_cast<QAbstractButton*>(widget)->text()), button.Caption());
                EXPECT_EQ(static_cast<QAbstractButton*>(widget)->icon().isNull(), !button.IsIconButton());
            }
            if (control->Kind() == ControlKind::Label) {
                // The caption as it reads: an access key's mark is not shown.
                QString shown = static_cast<QLabel*>(widget)->text();
                shown.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
                shown.replace(QChar(1), QLatin1Char('&'));
                QString caption = desk::ToQString(static_cast<Label&>(*control).Caption());
                caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
                caption.replace(QChar(1), QLatin1Char('&'));
                EXPECT_EQ(shown, caption);
            }
        }
        form.Unload();
    }

    // Tab pressed on the widget holding the keyboard, from the first control on: the
    // model's focus and the widgets' focus move together through the tab stops.
    void ExpectTabOrder(Form& form) {
        form.Show(vbModeless);
        desk::FormWindow* window = toolkit->Window(form);
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        std::vector<Control*> stops;
        for (Control* control : form.TabOrder())
            if (control->TabStop() && control->CanFocus()) stops.push_back(control);
        ASSERT_FALSE(stops.empty());
        ASSERT_EQ(form.ActiveControl(), stops.front());
        for (size_t step = 1; step <= stops.size(); ++step) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            QTest::keyClick(focused, Qt::Key_Tab);
            Control* expected = stops[step % stops.size()];
            EXPECT_EQ(form.ActiveControl(), expected) << "after Tab " << step;
            QWidget* now = QApplication::focusWidget();
            EXPECT_EQ(now, window->KeyTarget(*expected))
                << "after Tab " << step << ": " << (now ? now->objectName().toStdString() : "none") << ", not "
                << expected->DisplayName();
        }
        form.Unload();
    }
};

TEST_F(FormWidgets, EveryFormIsDrawnAsItsModelSays) {
    ExpectDrawnAsModel(*std::make_shared<frmQuillet>());
    ExpectDrawnAsModel(*std::make_shared<frmSetup>());
    ExpectDrawnAsModel(*std::make_shared<frmProjInfo>());
    ExpectDrawnAsModel(*std::make_shared<frmFolderMessage>());
}

TEST_F(FormWidgets, TabOnTheWidgetsFollowsTheModelsTabOrder) {
    ExpectTabOrder(*std::make_shared<frmQuillet>());
    ExpectTabOrder(*std::make_shared<frmProjInfo>());
}

TEST_F(FormWidgets, WritesToTheModelReachTheWidgets) {
    auto form = std::make_shared<frmQuillet>();
    form->Show(vbModeless);
    desk::FormWindow* window = toolkit->Window(*form);
    ASSERT_NE(window, nullptr);
    form->cboQuillet.AddItem("05-123 Roof");
    form->cboQuillet.AddItem("05-124 Hall");
    form->cboQuillet.SetListIndex(1);
    form->cmdQuillet(8).SetVisible(true);
    form->txtSaveFolder.SetText("P:\\Projects\\05-124\\");
    form->Move(form->Left(), form->Top(), form->Width() + 1500, form->Height());
    auto* combo = static_cast<QComboBox*>(window->WidgetOf(form->cboQuillet));
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("05-124 Hall"));
    EXPECT_TRUE(window->WidgetOf(form->cmdQuillet(8))->isVisibleTo(window));
    EXPECT_EQ(static_cast<QLineEdit*>(window->WidgetOf(form->txtSaveFolder))->text(),
              QStringLiteral("P:\\Projects\\05-124\\"));
    EXPECT_EQ(window->width(), TwipsToPixels(form->ScaleWidth(), toolkit->Dpi()));
    form->Unload();
    EXPECT_EQ(toolkit->Window(*form), nullptr);
}

}  // namespace
}  // namespace desk_test
