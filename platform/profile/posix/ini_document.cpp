#include "platform/profile/posix/ini_document.h"

#include "platform/profile/posix/ini_line.h"
#include "platform/text/text.h"

namespace platform::profile {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t npos = std::string::npos;

bool IsSection(const IniLine& line) { return line.kind == IniLine::Kind::Section; }
bool IsKey(const IniLine& line) { return line.kind == IniLine::Kind::Key; }
}  // namespace

IniDocument::IniDocument(std::string_view content) {
    if (content.starts_with(kByteOrderMark)) {
        bom_ = kByteOrderMark;
        content.remove_prefix(kByteOrderMark.size());
    }
    while (!content.empty()) {
        size_t end = content.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines_.push_back({std::string(content), ""});
            break;
        }
        // CRLF, LF, or a lone CR as older Macintosh editors end their lines.
        size_t endLength = content.substr(end).starts_with("\r\n") ? 2 : 1;
        lines_.push_back({std::string(content.substr(0, end)), std::string(content.substr(end, endLength))});
        content.remove_prefix(end + endLength);
    }
}

size_t IniDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        IniLine line = ClassifyLine(lines_[i].text);
        if (IsSection(line) && text::EqualNoCase(line.name, section)) return i;
    }
    return npos;
}

size_t IniDocument::FindKey(size_t header, std::string_view key) const {
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        IniLine line = ClassifyLine(lines_[i].text);
        if (IsSection(line)) break;
        if (IsKey(line) && text::EqualNoCase(line.name, key)) return i;
    }
    return npos;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    size_t header = FindSection(section);
    if (header == npos) return std::nullopt;
    size_t index = FindKey(header, key);
    if (index == npos) return std::nullopt;
    return std::string(StripQuotes(ClassifyLine(lines_[index].text).value));
}

void IniDocument::InsertLine(size_t index, std::string text) {
    // The line before the new one must end; only the last line can lack its end.
    if (index == lines_.size() && !lines_.empty() && lines_.back().end.empty())
        lines_.back().end = kLineEnd;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), std::string(kLineEnd)});
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    size_t header = FindSection(section);
    if (header == npos) {
        InsertLine(lines_.size(), "[" + std::string(section) + "]");
        InsertLine(lines_.size(), std::string(key) + "=" + std::string(value));
        return;
    }

    size_t index = FindKey(header, key);
    if (index != npos) {
        std::string name(ClassifyLine(lines_[index].text).name);
        lines_[index].text = name + "=" + std::string(value);
        return;
    }

    // A new key goes after the section's last key, so that the blank lines and
    // comments that lead to the next section stay where they are.
    size_t insertAt = header + 1;
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        IniLine line = ClassifyLine(lines_[i].text);
        if (IsSection(line)) break;
        if (IsKey(line)) insertAt = i + 1;
    }
    InsertLine(insertAt, std::string(key) + "=" + std::string(value));
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
    size_t header = FindSection(section);
    if (header == npos) return false;
    size_t index = FindKey(header, key);
    if (index == npos) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::string IniDocument::Text() const {
    std::string text = bom_;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    return text;
}

}  // namespace platform::profile
