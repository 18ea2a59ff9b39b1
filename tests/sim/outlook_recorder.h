// Sinks for the simulated Outlook's events that write what reached them into one
// shared log, so a test can check which events came and in what order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/com/events.h"

namespace ol = platform::outlook;

using EventLog = std::vector<std::string>;

// Every event of one object, written as "<name> <event>".
class Recorder : public ol::ApplicationEvents,
                 public ol::InspectorsEvents,
                 public ol::InspectorEvents,
                 public ol::MailItemEvents,
                 public ol::CommandBarButtonEvents {
public:
    Recorder(EventLog& log, std::string name) : log_(&log), name_(std::move(name)) {}

    void Quit() override { Note("Quit"); }
    void NewInspector(const std::shared_ptr<ol::Inspector>& inspector) override {
        windows.push_back(inspector);
        Note("NewInspector " + std::to_string(inspector->CurrentItem()->Class()));
    }
    void Activate() override { Note("Activate"); }
    void Close() override { Note("Close"); }
    void Close(bool& cancel) override {
        Note("ItemClose");
        cancel = cancelClose;
    }
    void Send(bool& cancel) override {
        Note("Send");
        cancel = cancelSend;
    }
    void Click(const std::shared_ptr<ol::CommandBarButton>& ctrl, bool&) override {
        clicked.push_back(ctrl);
        Note("Click");
    }

    bool cancelClose = false;
    bool cancelSend = false;
    std::vector<std::shared_ptr<ol::Inspector>> windows;
    std::vector<std::shared_ptr<ol::CommandBarButton>> clicked;

private:
    void Note(const std::string& what) { log_->push_back(name_ + " " + what); }
    EventLog* log_;
    std::string name_;
};

class OutlookTest : public ::testing::Test {
protected:
    sim::TestMachine machine;
    sim::Outlook outlook;
    EventLog log;
};
