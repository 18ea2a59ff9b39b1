// What only a real Windows machine has: its own drives and their types, the folders
// the add-in reads from the registry at start, paths relative to the current folder,
// the library file an address belongs to, and the plain system calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/server.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/shell/shell.h"
#include "platform/text/text.h"
#include "platform/text/win/wide.h"
#include "support/scratch.h"

namespace {

using namespace platform::files;
using platform::registry::Hive;

TEST(WindowsMachine, DrivesHaveTheSystemsTypes) {
    scratch::Folder folder;
    // The platform's own, not the system's narrow function of the same name.
    auto typeOf = [](std::string_view path) { return platform::files::GetDriveTypeA(path); };
    const std::string drive = NewFileSystemObject()->GetDriveName(folder.Path());
    const UINT type = GetDriveTypeW(platform::text::win::Wide(drive + "\\").c_str());
    EXPECT_EQ(int32_t(typeOf(drive)), int32_t(type));
    EXPECT_EQ(typeOf(folder.Path("anything\\below")), typeOf(drive + "\\"));
    EXPECT_EQ(typeOf(scratch::MissingDrive() + "\\"), DriveType::NoRootDir);
    for (const char* none : {"", "relative\\path", "1:\\", "\\\\srv\\"})
        EXPECT_EQ(typeOf(none), DriveType::NoRootDir) << none;
}

TEST(WindowsMachine, TheFoldersReadAtStartAreThere) {
    const std::string folders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    auto commonAppData =
        platform::registry::QueryString(Hive::LocalMachine, folders + "\\Explorer\\Shell Folders", "Common AppData");
    auto programFiles = platform::registry::QueryString(Hive::LocalMachine, folders, "ProgramFilesDir");
    ASSERT_TRUE(commonAppData);
    ASSERT_TRUE(programFiles);
    auto fso = NewFileSystemObject();
    EXPECT_TRUE(fso->FolderExists(*commonAppData)) << *commonAppData;
    EXPECT_TRUE(fso->FolderExists(*programFiles)) << *programFiles;
}

TEST(WindowsMachine, APathWithoutADriveStartsAtTheCurrentFolder) {
    scratch::Folder folder;
    folder.Write("Data\\file.txt", "x");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(platform::text::win::Wide(folder.Path()).c_str()));
    auto fso = NewFileSystemObject();
    EXPECT_TRUE(fso->FileExists("Data\\file.txt"));
    EXPECT_TRUE(fso->FileExists("data\\..\\Data\\FILE.txt"));
    EXPECT_TRUE(fso->FolderExists("Data\\"));
    EXPECT_TRUE(SameFile("Data\\file.txt", folder.Path("DATA\\File.TXT")));
    SetCurrentDirectoryW(before);
}

TEST(WindowsMachine, SameFileSeesOneFileBehindItsNames) {
    scratch::Folder folder;
    folder.Write("a.txt", "a");
    folder.Write("b.txt", "a");
    folder.Link("a.txt", "second name.txt");
    EXPECT_TRUE(SameFile(folder.Path("a.txt"), folder.Path("A.TXT")));
    EXPECT_TRUE(SameFile(folder.Path("a.txt"), folder.Path("second name.txt")));
    EXPECT_FALSE(SameFile(folder.Path("a.txt"), folder.Path("b.txt")));
    EXPECT_FALSE(SameFile(folder.Path("a.txt"), folder.Path("missing.txt")));
}

TEST(WindowsMachine, ALibraryKnowsItsOwnFile) {
    static const int anchor = 0;
    const std::string file = platform::com::ModuleFileName(&anchor);
    EXPECT_TRUE(platform::text::EqualNoCase(platform::text::Right(file, 26), "windows-platform-tests.exe")) << file;
    EXPECT_TRUE(NewFileSystemObject()->FileExists(file)) << file;
}

// A host's backend that records the calls it is given.
class Recorder final : public platform::shell::Backend {
public:
    int32_t Run(const platform::shell::Call& call) override {
        calls.push_back(call);
        return 42;
    }
    std::vector<platform::shell::Call> calls;
};

TEST(WindowsMachine, PlainSystemCallsAreTheSystemsUnlessAHostPlugsInItsOwn) {
    EXPECT_EQ(platform::shell::SleepEx(1, false), 0);
    EXPECT_NE(platform::shell::GetDesktopWindow(), 0);
    EXPECT_EQ(platform::shell::GetDesktopWindow(), int32_t(reinterpret_cast<intptr_t>(GetDesktopWindow())));

    auto recorder = std::make_shared<Recorder>();
    platform::shell::Install(recorder);
    EXPECT_EQ(platform::shell::ShellExecuteA(0, "open", "C:\\Data\\a.doc", std::nullopt, "C:\\Data", 1), 42);
    EXPECT_EQ(platform::shell::WinExec("notepad.exe", 1), 42);
    platform::shell::Install(nullptr);
    ASSERT_EQ(recorder->calls.size(), 2u);
    EXPECT_EQ(recorder->calls[0].function, "ShellExecute");
    EXPECT_FALSE(recorder->calls[0].parameters);
    EXPECT_EQ(recorder->calls[0].directory, "C:\\Data");
    EXPECT_EQ(recorder->calls[1].file, "notepad.exe");
}

TEST(WindowsMachine, TextMeetsTheSystemsUtf16) {
    const std::string text = "Grüße 🏠 Σ";
    const std::u16string wide = platform::text::ToUtf16(text);
    EXPECT_EQ(wide.size(), 10u) << "the house takes two UTF-16 units";
    EXPECT_EQ(platform::text::FromUtf16(wide), text);
    EXPECT_EQ(platform::text::FromUtf16(u"a\xD800"
                                        u"b"),
              "a\uFFFDb")
        << "a lone surrogate";
    EXPECT_EQ(platform::text::LCase("ÉCOLE Σ"), "école σ");
}

}  // namespace
