#include "hosts/mail/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <cstring>
#include <mutex>
#include <utility>

#include "hosts/mail/mail_error.h"
#include "hosts/mail/posix/gobject_ptr.h"

namespace mail {

namespace {

void StartGsf() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

// A GsfOutput writing into a string of ours, so the file's bytes are handed over as
// they are. (GsfOutputMemory would have them copied out: Debian's libgsf declares
// gsf_output_memory_steal_bytes but does not export it, and for a message of a 25 MB
// attachment the copy is a good part of the time.)
struct StringSink {
    GsfOutput output;
    std::string* bytes;
};
struct StringSinkClass {
    GsfOutputClass outputClass;
};

// Writes at the position the base class keeps (it moves it after each write and on
// each seek); a write past the end pads with zeros.
gboolean SinkWrite(GsfOutput* output, size_t size, const guint8* data) {
    std::string& bytes = *reinterpret_cast<StringSink*>(output)->bytes;
    const auto at = size_t(output->cur_offset);
    if (at == bytes.size()) {
        bytes.append(reinterpret_cast<const char*>(data), size);
    } else {
        if (at + size > bytes.size()) bytes.resize(at + size);
        std::memcpy(bytes.data() + at, data, size);
    }
    return TRUE;
}

gboolean SinkSeek(GsfOutput*, gsf_off_t, GSeekType) { return TRUE; }

gboolean SinkClose(GsfOutput*) { return TRUE; }

GType StringSinkType() {
    static const GType type = g_type_register_static_simple(
        GSF_OUTPUT_TYPE, "QuilletStringSink", sizeof(StringSinkClass),
        [](gpointer type, gpointer) {
            auto* output = GSF_OUTPUT_CLASS(type);
            output->Write = SinkWrite;
            output->Seek = SinkSeek;
            output->Close = SinkClose;
        },
        sizeof(StringSink), nullptr, GTypeFlags(0));
    return type;
}

[[noreturn]] void WriteFailed(GsfOutput* output, const std::string& what) {
    const GError* error = output ? gsf_output_error(output) : nullptr;
    throw MailError("cannot write the message file (" + what + ")" +
                    (error && error->message ? std::string(": ") + error->message : std::string()));
}

}  // namespace

// ---- writing ----------------------------------------------------------------------

struct StorageWriter::Native {
    Native(GsfOutfile* storage, bool owned) : storage(storage), owned(owned) {}
    ~Native() {
        if (!closed) gsf_output_close(GSF_OUTPUT(storage));
        if (owned) g_object_unref(storage);
    }
    Native(const Native&) = delete;
    Native& operator=(const Native&) = delete;
    GsfOutfile* storage;
    bool owned;
    bool closed = false;
};

struct CompoundFileWriter::Native {
    std::string bytes;  // where the sink writes
    GObjectPtr<GsfOutput> sink;
};

StorageWriter::StorageWriter(std::unique_ptr<Native> native) : native_(std::move(native)) {}
StorageWriter::StorageWriter(StorageWriter&& other) noexcept = default;
StorageWriter::~StorageWriter() = default;

void StorageWriter::Close() {
    if (native_->closed) return;
    native_->closed = true;
    if (!gsf_output_close(GSF_OUTPUT(native_->storage))) WriteFailed(GSF_OUTPUT(native_->storage), "closing a storage");
}

void StorageWriter::WriteStream(const std::string& name, std::string_view bytes) {
    GObjectPtr<GsfOutput> stream(gsf_outfile_new_child(native_->storage, name.c_str(), FALSE));
    if (!stream) WriteFailed(nullptr, name);
    // libgsf takes at most a gsf_off_t's worth at a time; write in large pieces.
    constexpr size_t kPiece = size_t(1) << 30;
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
        size_t size = std::min(kPiece, bytes.size() - at);
        if (!gsf_output_write(stream.get(), size, reinterpret_cast<const guint8*>(bytes.data() + at)))
            WriteFailed(stream.get(), name);
    }
    if (!gsf_output_close(stream.get())) WriteFailed(stream.get(), name);
}

StorageWriter StorageWriter::AddStorage(const std::string& name) {
    GsfOutput* child = gsf_outfile_new_child(native_->storage, name.c_str(), TRUE);
    if (!child) WriteFailed(nullptr, name);
    // The child (new_child's reference) is dropped by the writer.
    return StorageWriter(std::make_unique<Native>(GSF_OUTFILE(child), true));
}

CompoundFileWriter::CompoundFileWriter(const unsigned char (&classId)[16], size_t expectedSize)
    : native_(std::make_unique<Native>()) {
    StartGsf();
    native_->bytes.reserve(expectedSize);
    native_->sink.reset(static_cast<GsfOutput*>(g_object_new(StringSinkType(), nullptr)));
    reinterpret_cast<StringSink*>(native_->sink.get())->bytes = &native_->bytes;
    GsfOutfile* root = gsf_outfile_msole_new(native_->sink.get());
    if (!root) WriteFailed(native_->sink.get(), "the compound file");
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root), classId);
    root_.reset(new StorageWriter(std::make_unique<StorageWriter::Native>(root, true)));
}

CompoundFileWriter::~CompoundFileWriter() = default;

std::string CompoundFileWriter::Finish() {
    root_->Close();
    root_.reset();
    GsfOutput* sink = native_->sink.get();
    if (!gsf_output_is_closed(sink) && !gsf_output_close(sink)) WriteFailed(sink, "the compound file");
    native_->bytes.resize(size_t(gsf_output_size(sink)));
    return std::move(native_->bytes);
}

// ---- reading ----------------------------------------------------------------------

struct StorageReader::Native {
    GObjectPtr<GsfInfile> storage;
};

struct CompoundFileReader::Native {
    GObjectPtr<GsfInput> input;
};

std::optional<std::string> StorageReader::ReadStream(const std::string& name) const {
    GObjectPtr<GsfInput> stream(gsf_infile_child_by_name(native_->storage.get(), name.c_str()));
    if (!stream || (GSF_IS_INFILE(stream.get()) && gsf_infile_num_children(GSF_INFILE(stream.get())) >= 0))
        return std::nullopt;
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0) return std::nullopt;
    std::string bytes(size_t(size), '\0');
    if (size > 0 && !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(bytes.data())))
        throw MailError("the stream " + name + " is damaged");
    return bytes;
}

std::optional<StorageReader> StorageReader::Storage(const std::string& name) const {
    GsfInput* child = gsf_infile_child_by_name(native_->storage.get(), name.c_str());
    if (!child) return std::nullopt;
    if (!GSF_IS_INFILE(child) || gsf_infile_num_children(GSF_INFILE(child)) < 0) {
        g_object_unref(child);
        return std::nullopt;
    }
    return StorageReader(std::make_shared<Native>(Native{GObjectPtr<GsfInfile>(GSF_INFILE(child))}));
}

std::vector<std::string> StorageReader::Names() const {
    std::vector<std::string> names;
    GsfInfile* storage = native_->storage.get();
    const int count = gsf_infile_num_children(storage);
    for (int i = 0; i < count; ++i)
        if (const char* name = gsf_infile_name_by_index(storage, i)) names.emplace_back(name);
    return names;
}

CompoundFileReader::CompoundFileReader(std::string_view bytes) : native_(std::make_unique<Native>()) {
    StartGsf();
    native_->input.reset(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()), gsf_off_t(bytes.size()), FALSE));
    GError* error = nullptr;
    GsfInfile* root = gsf_infile_msole_new(native_->input.get(), &error);
    if (!root) {
        std::string why = error && error->message ? error->message : "not a compound file";
        if (error) g_error_free(error);
        throw MailError("not an Outlook message file: " + why);
    }
    root_ = StorageReader(std::make_shared<StorageReader::Native>(StorageReader::Native{GObjectPtr<GsfInfile>(root)}));
}

CompoundFileReader::~CompoundFileReader() = default;

}  // namespace mail
