// The windows of the simulated Outlook (Inspectors) and their collection. A window
// keeps its item and its command bars after it closed, so what happened to them can
// still be looked at.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "hosts/sim/host/outlook_command_bars.h"
#include "hosts/sim/host/outlook_items.h"
#include "platform/outlook/outlook.h"

namespace sim {

namespace ol = platform::outlook;

class SimInspector final : public ol::Inspector {
public:
    // `number`: the window's place in opening order, from 1.
    SimInspector(int32_t number, std::shared_ptr<ol::OutlookItem> item, int32_t editor,
                 std::shared_ptr<SimCommandBars> bars);

    std::shared_ptr<ol::OutlookItem> CurrentItem() override { return item_; }
    std::shared_ptr<ol::CommandBars> CommandBars() override { return bars_; }
    bool IsWordMail() override { return editor_ == ol::olEditorWord; }
    int32_t EditorType() override { return editor_; }

    int32_t Number() const { return number_; }
    bool IsOpen() const { return open_; }
    // The mail item it shows; null for another kind of item.
    const std::shared_ptr<SimMailItem>& Mail() const { return mail_; }
    const std::shared_ptr<SimCommandBars>& Bars() const { return bars_; }

    void RaiseActivate();
    void RaiseClose();
    // Gone from the screen: the temporary controls go with it.
    void MarkClosed();
    // While its Close events run, a second close of the same window does nothing.
    bool closing = false;

private:
    int32_t number_;
    std::shared_ptr<ol::OutlookItem> item_;
    std::shared_ptr<SimMailItem> mail_;
    int32_t editor_;
    std::shared_ptr<SimCommandBars> bars_;
    bool open_ = true;
};

class SimInspectors final : public ol::Inspectors {
public:
    // `openCount` answers Count: the windows open now.
    explicit SimInspectors(std::function<int32_t()> openCount) : openCount_(std::move(openCount)) {}
    int32_t Count() override { return openCount_(); }
    void RaiseNewInspector(const std::shared_ptr<ol::Inspector>& inspector);

private:
    std::function<int32_t()> openCount_;
};

}  // namespace sim
