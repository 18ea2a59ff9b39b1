#include "platform/errors/errors.h"
#include "platform/files/text_stream_impl.h"

namespace platform::files {

TextStream::Impl::~Impl() { CloseFile(); }

bool TextStream::Impl::CloseFile() {
    if (!file) return true;
    bool flushed = std::fclose(file) == 0;
    file = nullptr;
    return flushed;
}

namespace {

using Direction = TextStream::Impl::Direction;

// Open, and opened the right way: 52 once closed, 54 when opened the other way.
void Require(const TextStream::Impl& impl, Direction direction) {
    if (!impl.open) RaiseStandard(err::BadFileName);
    if (impl.direction != direction) RaiseStandard(err::BadFileMode);
}

void Put(TextStream::Impl& impl, std::string_view text) {
    Require(impl, Direction::Writing);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), impl.file) != text.size())
        RaiseStandard(err::PathFileAccess);
}

}  // namespace

TextStream::TextStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TextStream::~TextStream() = default;

std::string TextStream::ReadLine() {
    Require(*impl_, Direction::Reading);
    const std::string& content = impl_->content;
    size_t& position = impl_->position;
    if (position >= content.size()) RaiseStandard(err::InputPastEnd);
    size_t end = content.find_first_of("\r\n", position);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(position, end - position);
    position = end;
    if (position < content.size()) {  // past the line's end: CRLF, LF or a lone CR
        bool carriageReturn = content[position++] == '\r';
        if (carriageReturn && position < content.size() && content[position] == '\n') ++position;
    }
    return line;
}

bool TextStream::AtEndOfStream() {
    Require(*impl_, Direction::Reading);
    return impl_->position >= impl_->content.size();
}

void TextStream::WriteLine(std::string_view text) {
    Put(*impl_, text);
    Put(*impl_, "\r\n");
}

void TextStream::Write(std::string_view text) { Put(*impl_, text); }

void TextStream::Close() {
    if (!impl_->open) return;
    impl_->open = false;
    impl_->content.clear();
    if (!impl_->CloseFile()) RaiseStandard(err::PathFileAccess);
}

}  // namespace platform::files
