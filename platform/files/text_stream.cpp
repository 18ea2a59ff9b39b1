#include "platform/errors/errors.h"
#include "platform/files/text_stream_impl.h"

namespace platform::files {

TextStream::~TextStream() = default;
FileSystemObject::~FileSystemObject() = default;
TextSink::~TextSink() = default;

FileTextStream::FileTextStream(std::string content) : direction_(Direction::Reading), content_(std::move(content)) {}

FileTextStream::FileTextStream(std::unique_ptr<TextSink> sink)
    : direction_(Direction::Writing), sink_(std::move(sink)) {}

FileTextStream::~FileTextStream() = default;

void FileTextStream::Require(Direction direction) const {
    if (!open_) RaiseStandard(err::BadFileName);
    if (direction_ != direction) RaiseStandard(err::BadFileMode);
}

void FileTextStream::Put(std::string_view text) {
    Require(Direction::Writing);
    if (!text.empty()) sink_->Put(text);
}

std::string FileTextStream::ReadLine() {
    Require(Direction::Reading);
    if (position_ >= content_.size()) RaiseStandard(err::InputPastEnd);
    size_t end = content_.find_first_of("\r\n", position_);
    if (end == std::string::npos) end = content_.size();
    std::string line = content_.substr(position_, end - position_);
    position_ = end;
    if (position_ < content_.size()) {  // past the line's end: CRLF, LF or a lone CR
        bool carriageReturn = content_[position_++] == '\r';
        if (carriageReturn && position_ < content_.size() && content_[position_] == '\n') ++position_;
    }
    return line;
}

bool FileTextStream::AtEndOfStream() {
    Require(Direction::Reading);
    return position_ >= content_.size();
}

void FileTextStream::WriteLine(std::string_view text) {
    Put(text);
    Put("\r\n");
}

void FileTextStream::Write(std::string_view text) { Put(text); }

void FileTextStream::Close() {
    if (!open_) return;
    open_ = false;
    content_.clear();
    if (auto sink = std::move(sink_)) sink->Close();
}

}  // namespace platform::files
