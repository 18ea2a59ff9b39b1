// Events as COM connection points have them: a source raises each event to every
// sink that advised it; a subscription member (WithEvents) advises its owner's sink
// when an object is assigned and unadvises when null (or another object) is.
//
//     platform::com::WithEvents<outlook::Inspector, outlook::InspectorEvents> m_olInspector{this};
//     m_olInspector = inspector;   // subscribes this to inspector's events
//     m_olInspector = nullptr;     // unsubscribes and releases
#pragma once

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/errors/frame.h"

namespace platform::com {

template <class Sink>
class EventSource {
public:
    void Advise(Sink* sink) {
        if (!sink || Advised(sink)) return;
        sinks_.push_back(sink);
        if (sinks_.size() > 1) return;
        try {
            Listened(true);
        } catch (...) {
            sinks_.clear();
            throw;
        }
    }
    void Unadvise(Sink* sink) {
        const auto before = sinks_.size();
        sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
        if (before != 0 && sinks_.empty()) Listened(false);
    }
    bool Advised(const Sink* sink) const { return std::find(sinks_.begin(), sinks_.end(), sink) != sinks_.end(); }

protected:
    ~EventSource() = default;

    // Told when the first sink advises (true) and when the last one leaves (false): an
    // object standing for one elsewhere connects to that one's events only while
    // somebody listens here. A failure to connect undoes the first Advise; leaving
    // never fails.
    virtual void Listened(bool listened) { (void)listened; }

    // Raises an event to every sink advised now. A sink that unadvises meanwhile is
    // skipped; a failure escaping a sink's handler stays at this seam.
    template <class F>
    void Raise(F&& call) {
        auto sinks = sinks_;
        for (Sink* sink : sinks)
            if (Advised(sink)) platform::Contain([&] { call(*sink); });
    }

private:
    std::vector<Sink*> sinks_;
};

template <class Source, class Sink>
class WithEvents {
public:
    explicit WithEvents(Sink* owner) : owner_(owner) {}
    ~WithEvents() { Reset(nullptr); }
    WithEvents(const WithEvents&) = delete;
    WithEvents& operator=(const WithEvents&) = delete;

    WithEvents& operator=(std::shared_ptr<Source> object) {
        Reset(std::move(object));
        return *this;
    }
    WithEvents& operator=(std::nullptr_t) {
        Reset(nullptr);
        return *this;
    }

    const std::shared_ptr<Source>& get() const { return object_; }
    Source* operator->() const { return object_.get(); }
    explicit operator bool() const { return object_ != nullptr; }

private:
    void Reset(std::shared_ptr<Source> object) {
        auto old = std::move(object_);
        object_ = std::move(object);
        if (old && old != object_) old->Unadvise(owner_);
        if (object_) object_->Advise(owner_);
    }

    Sink* owner_;
    std::shared_ptr<Source> object_;
};

}  // namespace platform::com
