#include "hosts/mail/compound_file.h"

#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "hosts/mail/mail_error.h"

namespace mail {

namespace {

// A COM reference that is released with its holder.
template <class T>
struct Held {
    T* p = nullptr;
    Held() = default;
    explicit Held(T* held) : p(held) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (p) p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

std::wstring WideName(const std::string& name) {
    // Element names inside a message file are ASCII; anything else passes through
    // as Windows reads the ANSI code page.
    return std::wstring(name.begin(), name.end());
}

std::string NarrowName(const wchar_t* name) {
    std::string out;
    for (const wchar_t* c = name; *c; ++c) out += char(*c < 0x80 ? *c : '?');
    return out;
}

[[noreturn]] void Failed(const std::string& what, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    throw MailError("cannot write the message file (" + what + "): " + code);
}

void Check(HRESULT result, const std::string& what) {
    if (FAILED(result)) Failed(what, result);
}

constexpr DWORD kWrite = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kRead = STGM_READ | STGM_SHARE_EXCLUSIVE;

}  // namespace

// ---- writing: the system's structured storage over bytes in memory -----------------

struct StorageWriter::Native {
    explicit Native(IStorage* held) : storage(held) {}
    Held<IStorage> storage;
    bool closed = false;
};

struct CompoundFileWriter::Native {
    Held<ILockBytes> bytes;
};

StorageWriter::StorageWriter(std::unique_ptr<Native> native) : native_(std::move(native)) {}
StorageWriter::StorageWriter(StorageWriter&& other) noexcept = default;
StorageWriter::~StorageWriter() {
    if (native_ && !native_->closed) native_->storage->Commit(STGC_DEFAULT);
}

void StorageWriter::Close() {
    if (native_->closed) return;
    native_->closed = true;
    Check(native_->storage->Commit(STGC_DEFAULT), "closing a storage");
}

void StorageWriter::WriteStream(const std::string& name, std::string_view bytes) {
    Held<IStream> stream;
    Check(native_->storage->CreateStream(WideName(name).c_str(), kWrite, 0, 0, stream.out()), name);
    constexpr size_t kPiece = size_t(1) << 30;
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
        const ULONG size = ULONG(std::min(kPiece, bytes.size() - at));
        ULONG written = 0;
        Check(stream->Write(bytes.data() + at, size, &written), name);
        if (written != size) Failed(name, STG_E_MEDIUMFULL);
    }
}

StorageWriter StorageWriter::AddStorage(const std::string& name) {
    IStorage* child = nullptr;
    Check(native_->storage->CreateStorage(WideName(name).c_str(), kWrite, 0, 0, &child), name);
    return StorageWriter(std::make_unique<Native>(child));
}

CompoundFileWriter::CompoundFileWriter(const unsigned char (&classId)[16], size_t)
    : native_(std::make_unique<Native>()) {
    Check(CreateILockBytesOnHGlobal(nullptr, TRUE, native_->bytes.out()), "the compound file");
    IStorage* root = nullptr;
    Check(StgCreateDocfileOnILockBytes(native_->bytes.p, kWrite, 0, &root), "the compound file");
    root_.reset(new StorageWriter(std::make_unique<StorageWriter::Native>(root)));
    // The class id as stored: little-endian fields, which a GUID in memory is here.
    CLSID id;
    static_assert(sizeof id == 16);
    std::memcpy(&id, classId, sizeof id);
    Check(root->SetClass(id), "the compound file");
}

CompoundFileWriter::~CompoundFileWriter() = default;

std::string CompoundFileWriter::Finish() {
    root_->Close();
    root_.reset();
    STATSTG stat{};
    Check(native_->bytes->Stat(&stat, STATFLAG_NONAME), "the compound file");
    HGLOBAL memory = nullptr;
    Check(GetHGlobalFromILockBytes(native_->bytes.p, &memory), "the compound file");
    const auto* data = static_cast<const char*>(GlobalLock(memory));
    std::string bytes(data, size_t(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return bytes;
}

// ---- reading --------------------------------------------------------------------------

struct StorageReader::Native {
    explicit Native(IStorage* held) : storage(held) {}
    Held<IStorage> storage;
};

struct CompoundFileReader::Native {
    Held<ILockBytes> bytes;
};

std::optional<std::string> StorageReader::ReadStream(const std::string& name) const {
    Held<IStream> stream;
    if (FAILED(native_->storage->OpenStream(WideName(name).c_str(), nullptr, kRead, 0, stream.out())))
        return std::nullopt;
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return std::nullopt;
    std::string bytes(size_t(stat.cbSize.QuadPart), '\0');
    size_t at = 0;
    while (at < bytes.size()) {
        ULONG read = 0;
        const ULONG size = ULONG(std::min(bytes.size() - at, size_t(1) << 30));
        if (FAILED(stream->Read(bytes.data() + at, size, &read)) || read == 0)
            throw MailError("the stream " + name + " is damaged");
        at += read;
    }
    return bytes;
}

std::optional<StorageReader> StorageReader::Storage(const std::string& name) const {
    IStorage* child = nullptr;
    if (FAILED(native_->storage->OpenStorage(WideName(name).c_str(), nullptr, kRead, nullptr, 0, &child)))
        return std::nullopt;
    return StorageReader(std::make_shared<Native>(child));
}

std::vector<std::string> StorageReader::Names() const {
    std::vector<std::string> names;
    Held<IEnumSTATSTG> elements;
    if (FAILED(native_->storage->EnumElements(0, nullptr, 0, elements.out()))) return names;
    STATSTG stat{};
    while (elements->Next(1, &stat, nullptr) == S_OK) {
        names.push_back(NarrowName(stat.pwcsName));
        CoTaskMemFree(stat.pwcsName);
    }
    return names;
}

CompoundFileReader::CompoundFileReader(std::string_view bytes) : native_(std::make_unique<Native>()) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (!memory) throw MailError("not an Outlook message file: out of memory");
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    if (FAILED(CreateILockBytesOnHGlobal(memory, TRUE, native_->bytes.out()))) {
        GlobalFree(memory);
        throw MailError("not an Outlook message file: out of memory");
    }
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    native_->bytes->SetSize(size);
    IStorage* root = nullptr;
    if (StgIsStorageILockBytes(native_->bytes.p) != S_OK ||
        FAILED(StgOpenStorageOnILockBytes(native_->bytes.p, nullptr, kRead, nullptr, 0, &root)))
        throw MailError("not an Outlook message file: not a compound file");
    root_ = StorageReader(std::make_shared<StorageReader::Native>(root));
}

CompoundFileReader::~CompoundFileReader() = default;

}  // namespace mail
