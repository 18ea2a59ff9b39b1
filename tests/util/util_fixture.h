// A fresh machine and a fresh utility object for each test; every dialog the test
// did not expect fails it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "hosts/sim/host/test_machine.h"
#include "util/clsUtil/clsUtil.h"

class UtilTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& problem : machine.Person().Problems()) ADD_FAILURE() << problem;
    }
    // The report the utility object shows for a failure in one of its own members.
    void ExpectReport(const std::string& text) {
        machine.Person().ExpectMsgBox(" Error", platform::toolkit::vbOK, text);
    }

    sim::TestMachine machine;
    std::shared_ptr<clsUtil> util = std::make_shared<clsUtil>();
};
