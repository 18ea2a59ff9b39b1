#include "hosts/sim/host/outlook_inspector.h"

#include <utility>

namespace sim {

SimInspector::SimInspector(int32_t number, std::shared_ptr<ol::OutlookItem> item, int32_t editor,
                           std::shared_ptr<SimCommandBars> bars)
    : number_(number),
      item_(std::move(item)),
      mail_(std::dynamic_pointer_cast<SimMailItem>(item_)),
      editor_(editor),
      bars_(std::move(bars)) {}

void SimInspector::RaiseActivate() {
    Raise([](ol::InspectorEvents& sink) { sink.Activate(); });
}

void SimInspector::RaiseClose() {
    Raise([](ol::InspectorEvents& sink) { sink.Close(); });
}

void SimInspector::MarkClosed() {
    open_ = false;
    bars_->DiscardTemporary();
}

void SimInspectors::RaiseNewInspector(const std::shared_ptr<ol::Inspector>& inspector) {
    Raise([&](ol::InspectorsEvents& sink) { sink.NewInspector(inspector); });
}

}  // namespace sim
