// Writers in several processes at once on one settings file and one registry store:
// every write that reported success is in the file afterwards. A writer that another
// holds off for too long fails plainly instead of writing over its change.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/files/posix/change_lock.h"
#include "platform/profile/profile.h"
#include "platform/registry/registry.h"

namespace {

namespace fs = std::filesystem;
using files_test::FailureOf;
using platform::files::detail::ChangeLock;

constexpr std::string_view kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";
constexpr int kProcesses = 4;
constexpr int kWritesEach = 150;

// Runs the work in that many child processes at once; each exits with the number of
// its writes that reported failure. Returns the children's failures added up.
int InProcesses(int count, const std::function<int(int)>& work) {
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        pid_t child = ::fork();
        if (child == 0) ::_exit(std::min(work(i), 255));
        children.push_back(child);
    }
    int failures = 0;
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        failures += WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
    }
    return failures;
}

TEST(ConcurrentWriters, NoSettingsWriteIsLostAcrossProcesses) {
    sim::TestMachine machine;
    machine.Write(kIni, "[Setup]\r\nRoot=P:\\\r\n");
    int failures = InProcesses(kProcesses, [](int process) {
        int failed = 0;
        for (int i = 0; i < kWritesEach; ++i) {
            std::string key = "P" + std::to_string(process) + "K" + std::to_string(i);
            failed += platform::profile::WritePrivateProfileStringA("Keys", key, key, kIni) == 0;
        }
        return failed;
    });
    EXPECT_EQ(failures, 0);
    int missing = 0;
    for (int process = 0; process < kProcesses; ++process)
        for (int i = 0; i < kWritesEach; ++i) {
            std::string key = "P" + std::to_string(process) + "K" + std::to_string(i);
            missing += platform::profile::GetPrivateProfileStringA("Keys", key, "", 512, kIni) != key;
        }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(platform::profile::GetPrivateProfileStringA("Setup", "Root", "", 512, kIni), "P:\\");
}

TEST(ConcurrentWriters, NoRegistryWriteIsLostAcrossProcesses) {
    using namespace platform::registry;
    sim::TestMachine machine;
    int failures = InProcesses(kProcesses, [](int process) {
        int failed = 0;
        for (int i = 0; i < kWritesEach / 2; ++i) {
            std::string key = "Software\\Writer" + std::to_string(process);
            failed += FailureOf([&] { SetDword(Hive::CurrentUser, key, "V" + std::to_string(i), uint32_t(i)); }) != 0;
        }
        return failed;
    });
    EXPECT_EQ(failures, 0);
    int missing = 0;
    for (int process = 0; process < kProcesses; ++process)
        for (int i = 0; i < kWritesEach / 2; ++i)
            missing += !QueryValue(Hive::CurrentUser, "Software\\Writer" + std::to_string(process), "V" + std::to_string(i));
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(QueryString(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"),
              "C:\\Program Files");
}

TEST(ConcurrentWriters, AWriterHeldOffTooLongFailsAndChangesNothing) {
    using namespace platform::registry;
    sim::TestMachine machine;
    machine.Write(kIni, "[Setup]\r\nRoot=P:\\\r\n");
    const std::string iniBefore = machine.Read(kIni);
    ChangeLock::SetWait(std::chrono::milliseconds(200));
    {
        // Another program holds both files' folders for longer than a writer waits.
        ChangeLock settings(machine.Host(kIni));
        ChangeLock store(machine.PrefixFolder() / "registry.reg");
        ASSERT_EQ(settings.Failure(), 0);
        ASSERT_EQ(store.Failure(), 0);
        EXPECT_EQ(InProcesses(1, [](int) {
                      return platform::profile::WritePrivateProfileStringA("Setup", "Root", "Q:\\", kIni) == 0 &&
                                     FailureOf([] { SetString(Hive::CurrentUser, "Software\\Held", "", "x"); }) == 70
                                 ? 0
                                 : 1;
                  }),
                  0);
    }
    ChangeLock::SetWait(ChangeLock::kWait);
    EXPECT_EQ(machine.Read(kIni), iniBefore);
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, "Software\\Held"));
    // Once the lock is free, the writes go through.
    EXPECT_NE(platform::profile::WritePrivateProfileStringA("Setup", "Root", "Q:\\", kIni), 0);
    SetString(Hive::CurrentUser, "Software\\Held", "", "x");
    EXPECT_EQ(QueryString(Hive::CurrentUser, "Software\\Held", ""), "x");
}

}  // namespace
