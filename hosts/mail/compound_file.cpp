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

StorageWriter::StorageWriter(GsfOutfile* storage, bool owned) : storage_(storage), owned_(owned) {}

StorageWriter::StorageWriter(StorageWriter&& other) noexcept
    : storage_(std::exchange(other.storage_, nullptr)), owned_(other.owned_), closed_(other.closed_) {}

StorageWriter::~StorageWriter() {
    if (!storage_) return;  // moved from
    if (!closed_) gsf_output_close(GSF_OUTPUT(storage_));
    if (owned_) g_object_unref(storage_);
}

void StorageWriter::Close() {
    if (closed_) return;
    closed_ = true;
    if (!gsf_output_close(GSF_OUTPUT(storage_))) WriteFailed(GSF_OUTPUT(storage_), "closing a storage");
}

void StorageWriter::WriteStream(const std::string& name, std::string_view bytes) {
    GObjectPtr<GsfOutput> stream(gsf_outfile_new_child(storage_, name.c_str(), FALSE));
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
    GsfOutput* child = gsf_outfile_new_child(storage_, name.c_str(), TRUE);
    if (!child) WriteFailed(nullptr, name);
    // The child (new_child's reference) is dropped by the writer.
    return StorageWriter(GSF_OUTFILE(child), true);
}

CompoundFileWriter::CompoundFileWriter(const unsigned char (&classId)[16], size_t expectedSize) {
    StartGsf();
    bytes_.reserve(expectedSize);
    sink_.reset(static_cast<GsfOutput*>(g_object_new(StringSinkType(), nullptr)));
    reinterpret_cast<StringSink*>(sink_.get())->bytes = &bytes_;
    GsfOutfile* root = gsf_outfile_msole_new(sink_.get());
    if (!root) WriteFailed(sink_.get(), "the compound file");
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root), classId);
    root_.reset(new StorageWriter(root, true));
}

CompoundFileWriter::~CompoundFileWriter() = default;

std::string CompoundFileWriter::Finish() {
    root_->Close();
    root_.reset();
    if (!gsf_output_is_closed(sink_.get()) && !gsf_output_close(sink_.get()))
        WriteFailed(sink_.get(), "the compound file");
    bytes_.resize(size_t(gsf_output_size(sink_.get())));
    return std::move(bytes_);
}

// ---- reading ----------------------------------------------------------------------

std::optional<std::string> StorageReader::ReadStream(const std::string& name) const {
    GObjectPtr<GsfInput> stream(gsf_infile_child_by_name(storage_.get(), name.c_str()));
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
    GsfInput* child = gsf_infile_child_by_name(storage_.get(), name.c_str());
    if (!child) return std::nullopt;
    if (!GSF_IS_INFILE(child) || gsf_infile_num_children(GSF_INFILE(child)) < 0) {
        g_object_unref(child);
        return std::nullopt;
    }
    return StorageReader(std::shared_ptr<GsfInfile>(GSF_INFILE(child), GObjectUnref()));
}

std::vector<std::string> StorageReader::Names() const {
    std::vector<std::string> names;
    const int count = gsf_infile_num_children(storage_.get());
    for (int i = 0; i < count; ++i)
        if (const char* name = gsf_infile_name_by_index(storage_.get(), i)) names.emplace_back(name);
    return names;
}

CompoundFileReader::CompoundFileReader(std::string_view bytes) {
    StartGsf();
    input_.reset(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()), gsf_off_t(bytes.size()), FALSE));
    GError* error = nullptr;
    GsfInfile* root = gsf_infile_msole_new(input_.get(), &error);
    if (!root) {
        std::string why = error && error->message ? error->message : "not a compound file";
        if (error) g_error_free(error);
        throw MailError("not an Outlook message file: " + why);
    }
    root_ = StorageReader(std::shared_ptr<GsfInfile>(root, GObjectUnref()));
}

}  // namespace mail
