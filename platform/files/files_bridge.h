// The file-system object and its text streams across the binary boundary between
// libraries: the utility object hands out its file-system object and its open file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/com/bridge.h"
#include "platform/files/files.h"

namespace platform::files {

namespace textstream {
using I = TextStream;
inline constexpr com::Guid kIid = com::Guid::Parse("{5CC604E6-880F-4BE0-98F8-3C8CB0EFC29D}");
using ReadLine = com::Method<I, std::string(), &I::ReadLine, "ReadLine">;
using WriteLine = com::Method<I, void(std::string_view), &I::WriteLine, "WriteLine">;
using Write = com::Method<I, void(std::string_view), &I::Write, "Write">;
using AtEndOfStream = com::Get<I, bool(), &I::AtEndOfStream, "AtEndOfStream">;
using Close = com::Method<I, void(), &I::Close, "Close">;
using Table = com::Table<I, kIid, ReadLine, WriteLine, Write, AtEndOfStream, Close>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    std::string ReadLine() override { return Call<textstream::ReadLine>(); }
    void WriteLine(std::string_view text) override { Call<textstream::WriteLine>(text); }
    void Write(std::string_view text) override { Call<textstream::Write>(text); }
    bool AtEndOfStream() override { return Call<textstream::AtEndOfStream>(); }
    void Close() override { Call<textstream::Close>(); }
};
}  // namespace textstream

namespace filesystem {
using I = FileSystemObject;
inline constexpr com::Guid kIid = com::Guid::Parse("{30D429F0-D4C5-40D9-AF35-B6410ECC4361}");
using DriveExists = com::Method<I, bool(std::string_view), &I::DriveExists, "DriveExists">;
using FolderExists = com::Method<I, bool(std::string_view), &I::FolderExists, "FolderExists">;
using FileExists = com::Method<I, bool(std::string_view), &I::FileExists, "FileExists">;
using GetDriveName = com::Method<I, std::string(std::string_view), &I::GetDriveName, "GetDriveName">;
using CreateFolder = com::Method<I, void(std::string_view), &I::CreateFolder, "CreateFolder">;
using CopyFile = com::Method<I, void(std::string_view, std::string_view, bool), &I::CopyFile, "CopyFile">;
using DeleteFile = com::Method<I, void(std::string_view, bool), &I::DeleteFile, "DeleteFile">;
using OpenTextFile = com::Method<I, std::shared_ptr<TextStream>(std::string_view, int32_t, bool, int32_t),
                                 &I::OpenTextFile, "OpenTextFile">;
using Table = com::Table<I, kIid, DriveExists, FolderExists, FileExists, GetDriveName, CreateFolder, CopyFile,
                         DeleteFile, OpenTextFile>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    bool DriveExists(std::string_view drive) override { return Call<filesystem::DriveExists>(drive); }
    bool FolderExists(std::string_view path) override { return Call<filesystem::FolderExists>(path); }
    bool FileExists(std::string_view path) override { return Call<filesystem::FileExists>(path); }
    std::string GetDriveName(std::string_view path) override { return Call<filesystem::GetDriveName>(path); }
    void CreateFolder(std::string_view path) override { Call<filesystem::CreateFolder>(path); }
    void CopyFile(std::string_view source, std::string_view destination, bool overwrite) override {
        Call<filesystem::CopyFile>(source, destination, overwrite);
    }
    void DeleteFile(std::string_view path, bool force) override { Call<filesystem::DeleteFile>(path, force); }
    std::shared_ptr<TextStream> OpenTextFile(std::string_view path, int32_t mode, bool create,
                                             int32_t format) override {
        return Call<filesystem::OpenTextFile>(path, mode, create, format);
    }
};
}  // namespace filesystem

}  // namespace platform::files

template <>
struct platform::com::Bridge<platform::files::TextStream>
    : TableBridge<platform::files::TextStream, platform::files::textstream::Table, platform::files::textstream::Proxy> {
};
template <>
struct platform::com::Bridge<platform::files::FileSystemObject>
    : TableBridge<platform::files::FileSystemObject, platform::files::filesystem::Table,
                  platform::files::filesystem::Proxy> {};
