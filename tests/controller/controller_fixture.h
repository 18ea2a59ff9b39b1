// The add-in's module objects on a fresh machine, made as the library start makes
// them: the utility library registered from beside the test program, gDb and gUtil
// created by class id, then the controller, then the Outlook-side object connected
// to a simulated Outlook. The settings, hint file and project database are written
// first; every dialog the test did not expect fails it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "addin/controller/clsQuillet.h"
#include "addin/host/modMain.h"
#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/test_machine.h"
#include "tools/dbtool/project_database.h"

namespace controller_test {

inline const std::string kCrLf = "\r\n";

// Rows of the project list: number, name, folder, active, identifier.
using Row = std::array<std::string, 5>;
QueryResult ListOf(const std::vector<Row>& rows);

class ControllerTest : public ::testing::Test {
protected:
    enum class Mode { Own, Plexar };

    ~ControllerTest() override;
    void TearDown() override;

    // Writes the files of the mode (root folder P:\Projects\ on a network drive; in
    // Plexar mode the delimiters "-" and "=>" and the e-mail folder Corr_Out\), the
    // project database with these projects, then makes the module objects.
    void Start(Mode mode = Mode::Own, const std::vector<dbtool::ProjectRecord>& projects = {});
    // Opens a mail window and clicks the add-in's button on it: the save form.
    frmQuillet& OpenSaveForm(const sim::MailSetup& mail = {.subject = "Roof drawings"});

    clsQuillet& Controller() { return *gController; }

    sim::TestMachine machine;
    sim::ScriptedPerson& person = machine.Person();
    std::unique_ptr<sim::Outlook> outlook;
};

}  // namespace controller_test
