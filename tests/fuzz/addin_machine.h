// The add-in's module objects on one machine made once for a fuzz target, in Plexar
// mode (so the subject tags are read with the delimiters "-" and "=>"), as the library
// start makes them. The machine lives as long as the process.
#pragma once

#include <filesystem>
#include <stdexcept>

#include "addin/controller/clsQuillet.h"
#include "addin/host/modMain.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/com/class_factory.h"
#include "platform/com/library.h"
#include "tools/dbtool/project_database.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/class_ids.h"
#include "util/interfaces/clsUtil_bridge.h"

namespace fuzz {

inline sim::TestMachine& AddinMachine() {
    static sim::TestMachine* machine = [] {
        auto* made = new sim::TestMachine;
        namespace fs = std::filesystem;
        fs::create_directories(made->Host("C:\\Program Files\\Plexar"));
        made->Write("C:\\ProgramData\\Plexar\\Plxr.ini",
                    "[Setup]\r\nProjDelim=-\r\nSubjDelim==>\r\nEmailFolder=Corr_Out\\\r\nWorkUnit=Job\r\n"
                    "[FilePathsPrj]\r\n1=P:\\Projects\\\r\n[FilePathsMDB]\r\n1=C:\\Plexar\\Plexar.mdb\r\n");
        made->Write("C:\\ProgramData\\Quillet\\Quillet.cnt", "0\r\n[Form]\r\n");
        fs::create_directories(made->Host("C:\\Plexar"));
        dbtool::CreateProjectDatabase(made->Host("C:\\Plexar\\Plexar.mdb"));
        const fs::path utility = fs::read_symlink("/proc/self/exe").parent_path() / "UtilOrvek2.so";
        if (platform::com::RegisterLibrary(utility.string()) != 0)
            throw std::runtime_error("cannot register " + utility.string());
        gDb = platform::com::CreateObjectAs<IclsDbADO>(class_ids::clsDbADO);
        gUtil = platform::com::CreateObjectAs<_clsUtil>(class_ids::clsUtil);
        gController = std::make_shared<clsQuillet>();
        return made;
    }();
    return *machine;
}

}  // namespace fuzz
