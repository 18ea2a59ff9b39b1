// A window's command bars, and the add-in's button on them: finding, adding, deleting,
// clicking; temporary controls going with their window.
#include <gtest/gtest.h>

#include "outlook_recorder.h"

using ::testing::ElementsAre;

namespace {

constexpr const char* kTag = sim::Outlook::kAddinButtonTag;

class OutlookBarsTest : public OutlookTest {
protected:
    // The add-in's part: a temporary button on "Standard" before the fourth control.
    std::shared_ptr<ol::CommandBarButton> AddButton(const std::shared_ptr<sim::SimInspector>& window,
                                                    const std::string& caption, int32_t before = 4) {
        auto control = window->CommandBars()->Item("Standard")->Controls()->Add(ol::msoControlButton, 0, "0",
                                                                                 before, true);
        auto button = std::dynamic_pointer_cast<ol::CommandBarButton>(control);
        button->Tag(kTag);
        button->Caption(caption);
        return button;
    }
    static std::vector<std::string> Captions(const std::shared_ptr<ol::CommandBar>& bar) {
        std::vector<std::string> captions;
        auto controls = bar->Controls();
        for (int32_t i = 1; i <= controls->Count(); ++i)
            captions.push_back(std::dynamic_pointer_cast<ol::CommandBarButton>(controls->Item(i))->Caption());
        return captions;
    }
};

TEST_F(OutlookBarsTest, AddPlacesBeforeTheGivenControlOrAppends) {
    auto window = outlook.OpenMail();
    auto standard = window->CommandBars()->Item("standard");
    int32_t builtIn = standard->Controls()->Count();
    ASSERT_GE(builtIn, 4);
    AddButton(window, "fourth", 4);
    AddButton(window, "appended", 99);
    AddButton(window, "last", 0);
    auto captions = Captions(standard);
    ASSERT_EQ(captions.size(), size_t(builtIn + 3));
    EXPECT_EQ(captions[3], "fourth");
    EXPECT_EQ(captions[size_t(builtIn) + 1], "appended");
    EXPECT_EQ(captions.back(), "last");
    EXPECT_EQ(standard->Controls()->Item(4)->Parameter(), "0");
    EXPECT_THROW(standard->Controls()->Item(0), platform::ErrorInfo);
    EXPECT_THROW(standard->Controls()->Add(ol::msoControlButton, 0, "", -1, true), platform::ErrorInfo);
    EXPECT_THROW(window->CommandBars()->Item("No Such Bar"), platform::ErrorInfo);
}

TEST_F(OutlookBarsTest, FindControlTakesTheFirstOfTypeAndTagOverAllBars) {
    auto window = outlook.OpenMail();
    auto bars = window->CommandBars();
    EXPECT_EQ(bars->FindControl(ol::msoControlButton, kTag), nullptr);

    auto formatting = bars->Item("Formatting")->Controls();
    auto combo = formatting->Add(4, 0, "", 0, true);
    combo->Tag(kTag);
    EXPECT_EQ(bars->FindControl(ol::msoControlButton, kTag), nullptr) << "a combo box is not a button";
    EXPECT_EQ(bars->FindControl(4, kTag), combo);

    auto onFormatting = std::dynamic_pointer_cast<ol::CommandBarButton>(formatting->Add(1, 0, "", 0, true));
    onFormatting->Tag(kTag);
    EXPECT_EQ(bars->FindControl(ol::msoControlButton, kTag), onFormatting);
    auto onStandard = AddButton(window, "standard");
    EXPECT_EQ(bars->FindControl(ol::msoControlButton, kTag), onStandard) << "Standard comes first";
}

TEST_F(OutlookBarsTest, DeleteTakesTheControlOffItsBarOnce) {
    auto window = outlook.OpenMail();
    auto standard = window->CommandBars()->Item("Standard");
    int32_t before = standard->Controls()->Count();
    auto button = AddButton(window, "mine");
    button->Delete();
    EXPECT_EQ(standard->Controls()->Count(), before);
    EXPECT_EQ(window->CommandBars()->FindControl(ol::msoControlButton, kTag), nullptr);
    EXPECT_THROW(button->Delete(), platform::ErrorInfo);
}

TEST_F(OutlookBarsTest, TemporaryControlsGoWithTheirWindowAndTheBarsStayReadable) {
    auto window = outlook.OpenMail({.leftoverButtons = 1});
    auto temporary = AddButton(window, "temporary");
    auto standard = window->CommandBars()->Item("Standard");
    standard->Protection(ol::msoBarNoChangeVisible);
    outlook.CloseWindow();

    EXPECT_EQ(window->Bars()->Tagged(kTag).size(), 1u) << "the leftover is not temporary";
    EXPECT_THROW(temporary->Delete(), platform::ErrorInfo) << "the temporary button was discarded";
    EXPECT_EQ(standard->Protection(), 8);
    EXPECT_TRUE(standard->Visible());
}

TEST_F(OutlookBarsTest, LeftoverButtonsAreThereWhenTheWindowOpens) {
    struct Cleaner : ol::InspectorsEvents {
        size_t seen = 0;
        void NewInspector(const std::shared_ptr<ol::Inspector>& inspector) override {
            auto bars = inspector->CommandBars();
            while (auto old = bars->FindControl(ol::msoControlButton, kTag)) {
                old->Delete();
                ++seen;
            }
        }
    } cleaner;
    outlook.Application()->Inspectors()->Advise(&cleaner);
    outlook.OpenMail({.leftoverButtons = 3});
    outlook.Application()->Inspectors()->Unadvise(&cleaner);
    EXPECT_EQ(cleaner.seen, 3u);
    EXPECT_EQ(outlook.AddinButtonCount(), 0);
}

TEST_F(OutlookBarsTest, TheAddinButtonOnTheWindowInFront) {
    EXPECT_THROW(outlook.AddinButtonCount(), sim::OutlookStepRefused);
    auto first = outlook.OpenMail();
    AddButton(first, "Quil&let");
    outlook.OpenMail({.leftoverButtons = 2});
    EXPECT_EQ(outlook.AddinButtonCount(), 2);
    outlook.ActivateWindow(1);
    EXPECT_EQ(outlook.AddinButtonCount(), 1);
    EXPECT_EQ(outlook.AddinButtonCaption(), "Quil&let");
    outlook.OpenContact();
    EXPECT_EQ(outlook.AddinButtonCount(), 0);
    EXPECT_THROW(outlook.AddinButtonCaption(), sim::OutlookStepRefused);
}

TEST_F(OutlookBarsTest, ClickReachesTheClickedButtonFirstThenEveryOtherWithItsTag) {
    auto first = outlook.OpenMail();
    auto firstButton = AddButton(first, "one");
    auto second = outlook.OpenMail();
    auto secondButton = AddButton(second, "two");
    auto third = outlook.OpenMail();
    auto other = std::dynamic_pointer_cast<ol::CommandBarButton>(
        third->CommandBars()->Item("Standard")->Controls()->Add(1, 0, "", 0, true));
    other->Tag("Somebody Else");
    Recorder one(log, "one"), two(log, "two"), stranger(log, "stranger");
    firstButton->Advise(&one);
    secondButton->Advise(&two);
    other->Advise(&stranger);

    outlook.ActivateWindow(2);
    outlook.ClickButton();
    outlook.ActivateWindow(1);
    outlook.ClickButton();
    EXPECT_THAT(log, ElementsAre("two Click", "one Click", "one Click", "two Click"));
    EXPECT_THAT(two.clicked, ElementsAre(secondButton, firstButton)) << "each sink is told which was clicked";

    secondButton->Unadvise(&two);
    second->Mail()->Advise(&two);
    outlook.ActivateWindow(2);
    outlook.CloseWindow();
    log.clear();
    outlook.ActivateWindow(1);
    outlook.ClickButton();
    EXPECT_THAT(log, ElementsAre("one Click")) << "a closed window's button is gone";
    firstButton->Unadvise(&one);
    other->Unadvise(&stranger);
    second->Mail()->Unadvise(&two);
}

TEST_F(OutlookBarsTest, ClickNeedsAVisibleButtonOnTheWindowInFront) {
    EXPECT_THROW(outlook.ClickButton(), sim::OutlookStepRefused);
    auto window = outlook.OpenMail();
    EXPECT_THROW(outlook.ClickButton(), sim::OutlookStepRefused);
    auto button = AddButton(window, "hidden");
    button->Visible(false);
    EXPECT_THROW(outlook.ClickButton(), sim::OutlookStepRefused);
}

}  // namespace
