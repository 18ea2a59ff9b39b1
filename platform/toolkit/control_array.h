// A control array: controls of one kind sharing a name, told apart by an index that
// their events carry. Indexes need not be contiguous (0 to 5 and 8, say).
//
//     platform::toolkit::ControlArray<CommandButton> cmdQuillet{*this, "cmdQuillet", {0, 1, 2, 3, 4, 5, 8}};
//     cmdQuillet(8).SetVisible(false);
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/errors/errors.h"

namespace platform::toolkit {

class Form;

template <class T>
class ControlArray {
public:
    ControlArray(Form& form, const std::string& name, std::initializer_list<int16_t> indexes) : name_(name) {
        for (int16_t index : indexes) items_.emplace(index, std::make_unique<T>(form, name, index));
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // The element with that index; fails with 340 when there is none.
    T& operator()(int16_t index) const {
        auto it = items_.find(index);
        if (it == items_.end())
            Raise(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
        return *it->second;
    }
    bool Exists(int16_t index) const { return items_.count(index) != 0; }
    int16_t Count() const { return static_cast<int16_t>(items_.size()); }
    const std::string& Name() const { return name_; }
    // Every element, by index.
    std::vector<T*> Items() const {
        std::vector<T*> all;
        for (const auto& [index, item] : items_) all.push_back(item.get());
        return all;
    }

private:
    std::string name_;
    std::map<int16_t, std::unique_ptr<T>> items_;
};

}  // namespace platform::toolkit
