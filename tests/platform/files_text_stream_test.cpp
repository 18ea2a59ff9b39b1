// Text files: opening in each mode, reading lines, writing and appending.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/files.h"
#include "support/scratch.h"

namespace {

using namespace platform::files;
using scratch::FailureOf;

std::vector<std::string> ReadAllLines(TextStream& stream) {
    std::vector<std::string> lines;
    while (!stream.AtEndOfStream()) lines.push_back(stream.ReadLine());
    return lines;
}

TEST(FilesTextStream, LinesEndWithCrLfLfOrCr) {
    scratch::Folder folder;
    folder.Write("in.txt", "one\r\ntwo\n\nthree\rfour\r\n\r\nlast");
    auto stream = NewFileSystemObject()->OpenTextFile(folder.Path("IN.txt"), ForReading);
    EXPECT_EQ(ReadAllLines(*stream), (std::vector<std::string>{"one", "two", "", "three", "four", "", "last"}));
    EXPECT_EQ(FailureOf([&] { stream->ReadLine(); }), 62);
    stream->Close();
}

TEST(FilesTextStream, EmptyFileAndFinalLineEnding) {
    scratch::Folder folder;
    folder.Write("empty.txt", "");
    folder.Write("one.txt", "only\r\n");
    auto fso = NewFileSystemObject();
    auto empty = fso->OpenTextFile(folder.Path("empty.txt"));
    EXPECT_TRUE(empty->AtEndOfStream());
    EXPECT_EQ(FailureOf([&] { empty->ReadLine(); }), 62);
    auto one = fso->OpenTextFile(folder.Path("one.txt"));
    EXPECT_EQ(ReadAllLines(*one), std::vector<std::string>{"only"});
}

TEST(FilesTextStream, WritingTruncatesAndEndsLinesWithCrLf) {
    scratch::Folder folder;
    folder.Write("out.txt", "a much longer old content\r\n");
    auto stream = NewFileSystemObject()->OpenTextFile(folder.Path("OUT.TXT"), ForWriting);
    stream->WriteLine("Grüße");
    stream->Write("no end");
    stream->WriteLine();
    stream->Close();
    stream->Close();
    EXPECT_EQ(folder.Read("out.txt"), "Grüße\r\nno end\r\n");
}

TEST(FilesTextStream, AppendingAddsAtTheEnd) {
    scratch::Folder folder;
    folder.Write("log.txt", "first\r\n");
    auto fso = NewFileSystemObject();
    auto stream = fso->OpenTextFile(folder.Path("log.txt"), ForAppending);
    stream->WriteLine("second");
    stream->Close();
    fso->OpenTextFile(folder.Path("log.txt"), ForAppending)->WriteLine("third");  // dropped unclosed: still written
    EXPECT_EQ(folder.Read("log.txt"), "first\r\nsecond\r\nthird\r\n");
}

TEST(FilesTextStream, CreateMakesMissingFiles) {
    scratch::Folder folder;
    auto fso = NewFileSystemObject();
    const std::string made = folder.Path("new.txt");
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(made, ForAppending); }), 53);
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(made, ForReading); }), 53);
    EXPECT_FALSE(fso->FileExists(made));
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("Missing\\new.txt"), ForAppending, true); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("Missing\\new.txt"), ForReading); }), 76);

    fso->OpenTextFile(made, ForAppending, true)->WriteLine("made");
    EXPECT_EQ(folder.Read("new.txt"), "made\r\n");
    EXPECT_TRUE(fso->OpenTextFile(folder.Path("empty.txt"), ForReading, true)->AtEndOfStream());
    EXPECT_TRUE(fso->FileExists(folder.Path("empty.txt")));
}

TEST(FilesTextStream, FilesInUseReadOnlyFilesAndFolders) {
    scratch::Folder folder;
    folder.Write("busy.txt", "b");
    folder.Write("ro.txt", "ro\r\n");
    folder.SetReadOnly("ro.txt", true);
    folder.MakeFolder("Sub");
    auto fso = NewFileSystemObject();
    {
        scratch::InUse held(folder.Path("busy.txt"));
        for (int mode : {ForReading, ForWriting, ForAppending})
            EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("BUSY.txt"), mode); }), 70) << mode;
    }
    EXPECT_EQ(fso->OpenTextFile(folder.Path("busy.txt"))->ReadLine(), "b");
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("ro.txt"), ForWriting); }), 70);
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("ro.txt"), ForAppending); }), 70);
    EXPECT_EQ(folder.Read("ro.txt"), "ro\r\n");
    EXPECT_EQ(fso->OpenTextFile(folder.Path("ro.txt"))->ReadLine(), "ro");
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("Sub"), ForReading); }), 70);
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(folder.Path("x.txt"), 3, true); }), 5);
}

TEST(FilesTextStream, WrongDirectionAndClosedStreams) {
    scratch::Folder folder;
    folder.Write("in.txt", "x\r\n");
    auto fso = NewFileSystemObject();
    auto reader = fso->OpenTextFile(folder.Path("in.txt"), ForReading);
    auto writer = fso->OpenTextFile(folder.Path("out.txt"), ForWriting, true);
    EXPECT_EQ(FailureOf([&] { reader->WriteLine("y"); }), 54);
    EXPECT_EQ(FailureOf([&] { reader->Write("y"); }), 54);
    EXPECT_EQ(FailureOf([&] { writer->ReadLine(); }), 54);
    EXPECT_EQ(FailureOf([&] { writer->AtEndOfStream(); }), 54);
    reader->Close();
    writer->Close();
    EXPECT_EQ(FailureOf([&] { reader->ReadLine(); }), 52);
    EXPECT_EQ(FailureOf([&] { writer->WriteLine("late"); }), 52);
    EXPECT_EQ(folder.Read("in.txt"), "x\r\n");
}

}  // namespace
