// Moving the project database and the settings file, as the setup form does, with a
// failure at each host call in turn: the earlier file stays whole, or the new one is
// complete; never neither, and nothing is left beside either.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/posix/prefix.h"
#include "tests/support/fault_loop.h"

namespace {

namespace fs = std::filesystem;
using fault_loop::AsideFiles;
using platform::files::DriveType;
using platform::files::NewFileSystemObject;
using platform::files::Prefix;

constexpr std::string_view kOldDb = "P:\\Data\\Quillet.mdb";
constexpr std::string_view kNewDb = "C:\\NewDb\\Quillet.mdb";
constexpr std::string_view kArchive = "P:\\Data\\Quillet.Moved_By_Operator_20260305.mdb";

// Bytes of a database several copy pieces long.
std::string DatabaseBytes() {
    std::mt19937 random(7);
    std::string bytes(200000, '\0');
    for (char& c : bytes) c = char(random());
    return bytes;
}

class MoveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        Prefix::MapDrive("P:", DriveType::Remote);
        fs::create_directories(machine.Host("C:\\NewDb"));
    }
    // The file's bytes; "" when it is missing.
    std::string Content(std::string_view path) {
        return fs::exists(machine.Host(path)) ? machine.Read(path) : std::string();
    }
    void ExpectNothingAside() {
        EXPECT_EQ(AsideFiles(machine.Host("P:\\Data")), 0);
        EXPECT_EQ(AsideFiles(machine.Host("C:\\NewDb")), 0);
    }

    sim::TestMachine machine;
    const std::string database = DatabaseBytes();
};

TEST_F(MoveFaults, ACopyOfTheDatabaseIsCompleteOrAbsent) {
    int met = fault_loop::ForEachFault(
        [&] {
            fs::remove(machine.Host(kNewDb));
            machine.Write(kOldDb, database);
        },
        [&] { NewFileSystemObject()->CopyFile(kOldDb, kNewDb, false); },
        [&](const fault_loop::Run& run) {
            EXPECT_EQ(run.failure != 0, run.met);
            if (run.met) {
                EXPECT_TRUE(run.failure == 70 || run.failure == 75);
            }
            EXPECT_EQ(Content(kOldDb), database);
            EXPECT_EQ(Content(kNewDb), run.failure ? "" : database);
            ExpectNothingAside();
        });
    EXPECT_GE(met, 12);  // every read and write of each piece, the create, the flush, the rename
}

// The move from a network drive: copy to the new folder (no overwriting), keep a
// dated copy beside the old file, then delete the old file; a failure ends the move.
TEST_F(MoveFaults, AMoveFromANetworkDriveNeverLosesTheDatabase) {
    int met = fault_loop::ForEachFault(
        [&] {
            fs::remove(machine.Host(kNewDb));
            fs::remove(machine.Host(kArchive));
            machine.Write(kOldDb, database);
        },
        [&] {
            auto fso = NewFileSystemObject();
            fso->CopyFile(kOldDb, kNewDb, false);
            fso->CopyFile(kOldDb, kArchive, true);
            fso->DeleteFile(kOldDb, true);
        },
        [&](const fault_loop::Run& run) {
            const std::string old = Content(kOldDb), moved = Content(kNewDb), archived = Content(kArchive);
            EXPECT_TRUE(old == database || moved == database) << "neither the old file nor the new one is whole";
            EXPECT_TRUE(old.empty() || old == database);
            EXPECT_TRUE(moved.empty() || moved == database);
            EXPECT_TRUE(archived.empty() || archived == database);
            if (old.empty()) {
                EXPECT_EQ(archived, database) << "the old file went without its dated copy";
            }
            if (!run.failure) {
                EXPECT_TRUE(old.empty() && moved == database && archived == database);
            }
            ExpectNothingAside();
        });
    EXPECT_GE(met, 25);  // two copies and the delete
}

TEST_F(MoveFaults, TheSettingsFileCopiedToANewFolderIsCompleteOrAbsent) {
    constexpr std::string_view kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";
    constexpr std::string_view kMoved = "P:\\Settings\\Quillet.ini";
    const std::string settings = "[Setup]\r\nRoot=P:\\Jobs\\\r\nWorkUnit=Job\r\nQuilletDBPath=P:\\Data\\\r\n";
    fs::create_directories(machine.Host("P:\\Settings"));
    machine.Write(kIni, settings);
    int met = fault_loop::ForEachFault(
        [&] { fs::remove(machine.Host(kMoved)); },
        [&] { NewFileSystemObject()->CopyFile(kIni, kMoved, false); },
        [&](const fault_loop::Run& run) {
            EXPECT_EQ(run.failure != 0, run.met);
            EXPECT_EQ(Content(kIni), settings);
            EXPECT_EQ(Content(kMoved), run.failure ? "" : settings);
            EXPECT_EQ(AsideFiles(machine.Host("P:\\Settings")), 0);
        });
    EXPECT_GE(met, 6);

    // A settings file already at the new place is never touched, whatever fails.
    machine.Write(kMoved, "[Setup]\r\nRoot=X:\\\r\n");
    fault_loop::ForEachFault([] {}, [&] { NewFileSystemObject()->CopyFile(kIni, kMoved, false); },
                             [&](const fault_loop::Run& run) {
                                 EXPECT_EQ(run.failure, 58);
                                 EXPECT_FALSE(run.met);
                                 EXPECT_EQ(Content(kMoved), "[Setup]\r\nRoot=X:\\\r\n");
                             });
}

}  // namespace
