#include "hosts/sim/host/outlook_windows.h"

#include <utility>

namespace sim {

std::shared_ptr<OutlookWindows> OutlookWindows::Create() {
    std::shared_ptr<OutlookWindows> windows(new OutlookWindows());
    std::weak_ptr<OutlookWindows> weak = windows;
    windows->collection_ = std::make_shared<SimInspectors>([weak] {
        auto list = weak.lock();
        return list ? list->OpenCount() : 0;
    });
    return windows;
}

std::shared_ptr<SimInspector> OutlookWindows::Open(std::shared_ptr<ol::OutlookItem> item, int32_t editor,
                                                   std::shared_ptr<SimCommandBars> bars) {
    auto window =
        std::make_shared<SimInspector>(int32_t(windows_.size()) + 1, std::move(item), editor, std::move(bars));
    if (const auto& mail = window->Mail()) {
        std::weak_ptr<OutlookWindows> weak = weak_from_this();
        mail->OnSent([weak](SimMailItem& sent) {
            auto list = weak.lock();
            if (!list) return;
            if (auto shown = list->WindowShowing(&sent)) list->Close(shown, false);
        });
    }
    windows_.push_back(Entry{window, 0});
    collection_->RaiseNewInspector(window);
    if (window->IsOpen()) Activate(window);
    return window;
}

void OutlookWindows::Activate(const std::shared_ptr<SimInspector>& window) {
    if (!window->IsOpen()) return;
    BringToFront(window);
    window->RaiseActivate();
}

void OutlookWindows::BringToFront(const std::shared_ptr<SimInspector>& window) {
    for (auto& entry : windows_)
        if (entry.window == window) entry.activated = ++clock_;
    if (window->Mail()) lastMail_ = window;
}

bool OutlookWindows::Close(const std::shared_ptr<SimInspector>& window, bool mayCancel) {
    if (!window->IsOpen() || window->closing) return false;
    window->closing = true;
    if (const auto& mail = window->Mail()) {
        bool cancel = false;
        mail->RaiseClose(cancel);
        if (cancel && mayCancel) {
            window->closing = false;
            return false;
        }
    }
    window->RaiseClose();
    window->MarkClosed();
    window->closing = false;
    return true;
}

std::shared_ptr<SimInspector> OutlookWindows::Active() const {
    const Entry* front = nullptr;
    for (const auto& entry : windows_)
        if (entry.window->IsOpen() && entry.activated != 0 && (!front || entry.activated > front->activated))
            front = &entry;
    return front ? front->window : nullptr;
}

std::shared_ptr<SimInspector> OutlookWindows::Window(int32_t number) const {
    if (number < 1 || number > int32_t(windows_.size())) return nullptr;
    return windows_[size_t(number - 1)].window;
}

std::vector<std::shared_ptr<SimInspector>> OutlookWindows::OpenWindows() const {
    std::vector<std::shared_ptr<SimInspector>> open;
    for (const auto& entry : windows_)
        if (entry.window->IsOpen()) open.push_back(entry.window);
    return open;
}

int32_t OutlookWindows::OpenCount() const {
    int32_t count = 0;
    for (const auto& entry : windows_)
        if (entry.window->IsOpen()) ++count;
    return count;
}

std::shared_ptr<SimInspector> OutlookWindows::WindowShowing(const ol::OutlookItem* item) const {
    for (const auto& entry : windows_)
        if (entry.window->IsOpen() && entry.window->CurrentItem().get() == item) return entry.window;
    return nullptr;
}

}  // namespace sim
