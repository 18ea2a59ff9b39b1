// The windows of one simulated Outlook: which are open, which is in front, in what
// order they opened, and how a window opens, comes to the front and closes, with the
// events Outlook raises for each.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "hosts/sim/host/outlook_inspector.h"

namespace sim {

class OutlookWindows : public std::enable_shared_from_this<OutlookWindows> {
public:
    static std::shared_ptr<OutlookWindows> Create();

    // The Inspectors collection of the application.
    const std::shared_ptr<SimInspectors>& Collection() const { return collection_; }

    // A window opens with the item: NewInspector, then it comes to the front
    // (Activate). A mail item's window closes when the item is sent.
    std::shared_ptr<SimInspector> Open(std::shared_ptr<ol::OutlookItem> item, int32_t editor,
                                       std::shared_ptr<SimCommandBars> bars);
    // The open window comes to the front and raises Activate.
    void Activate(const std::shared_ptr<SimInspector>& window);
    // The window closes with its item: the mail item's Close (which may cancel when
    // `mayCancel`), then the window's Close; then it is gone and the window activated
    // most recently of those left is in front. False when it did not close.
    bool Close(const std::shared_ptr<SimInspector>& window, bool mayCancel);

    // The window in front, or null when none is open.
    std::shared_ptr<SimInspector> Active() const;
    // By its number in opening order (from 1), open or closed; null when none.
    std::shared_ptr<SimInspector> Window(int32_t number) const;
    // The mail window opened or activated last, even if it has closed since.
    std::shared_ptr<SimInspector> LastMailWindow() const { return lastMail_; }
    std::vector<std::shared_ptr<SimInspector>> OpenWindows() const;
    int32_t OpenCount() const;
    // The open window showing the item; null when none.
    std::shared_ptr<SimInspector> WindowShowing(const ol::OutlookItem* item) const;

private:
    OutlookWindows() = default;
    void BringToFront(const std::shared_ptr<SimInspector>& window);

    struct Entry {
        std::shared_ptr<SimInspector> window;
        uint64_t activated = 0;  // when it last came to the front
    };
    std::vector<Entry> windows_;  // in opening order, closed ones kept
    uint64_t clock_ = 0;
    std::shared_ptr<SimInspector> lastMail_;
    std::shared_ptr<SimInspectors> collection_;
};

}  // namespace sim
