// Text files: opening in each mode, reading lines, writing and appending.
#include <gtest/gtest.h>

#include <filesystem>

#include "files_test_support.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/posix/prefix.h"

namespace {

namespace fs = std::filesystem;
using files_test::FailureOf;
using namespace platform::files;

std::vector<std::string> ReadAllLines(TextStream& stream) {
    std::vector<std::string> lines;
    while (!stream.AtEndOfStream()) lines.push_back(stream.ReadLine());
    return lines;
}

TEST(FilesTextStream, LinesEndWithCrLfLfOrCr) {
    sim::TestMachine machine;
    machine.Write("C:\\in.txt", "one\r\ntwo\n\nthree\rfour\r\n\r\nlast");
    HostFileSystem fso;
    auto stream = fso.OpenTextFile("c:\\IN.txt", ForReading);
    EXPECT_EQ(ReadAllLines(*stream), (std::vector<std::string>{"one", "two", "", "three", "four", "", "last"}));
    EXPECT_EQ(FailureOf([&] { stream->ReadLine(); }), 62);
    stream->Close();
}

TEST(FilesTextStream, EmptyFileAndFinalLineEnding) {
    sim::TestMachine machine;
    machine.Write("C:\\empty.txt", "");
    machine.Write("C:\\one.txt", "only\r\n");
    HostFileSystem fso;
    auto empty = fso.OpenTextFile("C:\\empty.txt");
    EXPECT_TRUE(empty->AtEndOfStream());
    EXPECT_EQ(FailureOf([&] { empty->ReadLine(); }), 62);
    auto one = fso.OpenTextFile("C:\\one.txt");
    EXPECT_EQ(ReadAllLines(*one), std::vector<std::string>{"only"});
}

TEST(FilesTextStream, WritingTruncatesAndEndsLinesWithCrLf) {
    sim::TestMachine machine;
    machine.Write("C:\\out.txt", "a much longer old content\r\n");
    HostFileSystem fso;
    auto stream = fso.OpenTextFile("C:\\OUT.TXT", ForWriting);
    stream->WriteLine("Grüße");
    stream->Write("no end");
    stream->WriteLine();
    stream->Close();
    stream->Close();
    EXPECT_EQ(machine.Read("C:\\out.txt"), "Grüße\r\nno end\r\n");
}

TEST(FilesTextStream, AppendingAddsAtTheEnd) {
    sim::TestMachine machine;
    machine.Write("C:\\log.txt", "first\r\n");
    HostFileSystem fso;
    auto stream = fso.OpenTextFile("C:\\log.txt", ForAppending);
    stream->WriteLine("second");
    stream->Close();
    fso.OpenTextFile("C:\\log.txt", ForAppending)->WriteLine("third");  // dropped unclosed: still written
    EXPECT_EQ(machine.Read("C:\\log.txt"), "first\r\nsecond\r\nthird\r\n");
}

TEST(FilesTextStream, CreateMakesMissingFiles) {
    sim::TestMachine machine;
    HostFileSystem fso;
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\new.txt", ForAppending); }), 53);
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\new.txt", ForReading); }), 53);
    EXPECT_FALSE(fso.FileExists("C:\\new.txt"));
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\Missing\\new.txt", ForAppending, true); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\Missing\\new.txt", ForReading); }), 76);

    fso.OpenTextFile("C:\\new.txt", ForAppending, true)->WriteLine("made");
    EXPECT_EQ(machine.Read("C:\\new.txt"), "made\r\n");
    EXPECT_TRUE(fso.OpenTextFile("C:\\empty.txt", ForReading, true)->AtEndOfStream());
    EXPECT_TRUE(fso.FileExists("C:\\empty.txt"));
}

TEST(FilesTextStream, LockedReadOnlyAndFolders) {
    sim::TestMachine machine;
    machine.Write("C:\\locked.txt", "l");
    machine.Write("C:\\ro.txt", "ro\r\n");
    fs::permissions(machine.Host("C:\\ro.txt"), fs::perms::owner_read | fs::perms::group_read);
    Prefix::Lock("C:\\LOCKED.txt");
    Prefix::Lock("C:\\notyet.txt");
    HostFileSystem fso;
    for (int mode : {ForReading, ForWriting, ForAppending})
        EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("c:\\locked.TXT", mode); }), 70) << mode;
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\NotYet.TXT", ForWriting, true); }), 70);
    EXPECT_FALSE(fso.FileExists("C:\\notyet.txt"));
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\ro.txt", ForWriting); }), 70);
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\ro.txt", ForAppending); }), 70);
    EXPECT_EQ(machine.Read("C:\\ro.txt"), "ro\r\n");
    EXPECT_EQ(fso.OpenTextFile("C:\\ro.txt")->ReadLine(), "ro");
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\ProgramData", ForReading); }), 70);
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\x.txt", 3, true); }), 5);
    Prefix::Unlock("C:\\locked.txt");
    EXPECT_EQ(fso.OpenTextFile("C:\\locked.txt")->ReadLine(), "l");
}

TEST(FilesTextStream, WrongDirectionAndClosedStreams) {
    sim::TestMachine machine;
    machine.Write("C:\\in.txt", "x\r\n");
    HostFileSystem fso;
    auto reader = fso.OpenTextFile("C:\\in.txt", ForReading);
    auto writer = fso.OpenTextFile("C:\\out.txt", ForWriting, true);
    EXPECT_EQ(FailureOf([&] { reader->WriteLine("y"); }), 54);
    EXPECT_EQ(FailureOf([&] { reader->Write("y"); }), 54);
    EXPECT_EQ(FailureOf([&] { writer->ReadLine(); }), 54);
    EXPECT_EQ(FailureOf([&] { writer->AtEndOfStream(); }), 54);
    reader->Close();
    writer->Close();
    EXPECT_EQ(FailureOf([&] { reader->ReadLine(); }), 52);
    EXPECT_EQ(FailureOf([&] { writer->WriteLine("late"); }), 52);
    EXPECT_EQ(machine.Read("C:\\in.txt"), "x\r\n");
}

}  // namespace
