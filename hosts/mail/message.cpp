#include "hosts/mail/message.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace mail {

size_t Message::CountOf(RecipientKind kind) const {
    return size_t(std::count_if(recipients.begin(), recipients.end(),
                                [kind](const Recipient& r) { return r.kind == kind; }));
}

SubjectParts SplitSubject(const std::string& subject) {
    // Up to three characters (counted as code points) before the colon.
    size_t at = 0;
    int characters = 0;
    while (at < subject.size() && subject[at] != ':' && characters < 4) {
        unsigned char c = static_cast<unsigned char>(subject[at]);
        if (c == ' ' || c == '\t' || std::isdigit(c)) return {"", subject};
        ++at;
        while (at < subject.size() && (static_cast<unsigned char>(subject[at]) & 0xC0) == 0x80) ++at;
        ++characters;
    }
    if (characters < 1 || characters > 3 || at + 1 >= subject.size() || subject[at] != ':' || subject[at + 1] != ' ')
        return {"", subject};
    size_t rest = at + 1;
    while (rest < subject.size() && subject[rest] == ' ') ++rest;
    return {subject.substr(0, at) + ": ", subject.substr(rest)};
}

std::string DisplayList(const Message& message, RecipientKind kind) {
    std::string list;
    for (const auto& recipient : message.recipients) {
        if (recipient.kind != kind) continue;
        if (!list.empty()) list += "; ";
        list += recipient.who.name.empty() ? recipient.who.address : recipient.who.name;
    }
    return list;
}

std::string MimeTypeForFileName(const std::string& fileName) {
    static const std::map<std::string, std::string> known = {
        {"txt", "text/plain"},        {"htm", "text/html"},          {"html", "text/html"},
        {"csv", "text/csv"},          {"pdf", "application/pdf"},    {"zip", "application/zip"},
        {"png", "image/png"},         {"jpg", "image/jpeg"},         {"jpeg", "image/jpeg"},
        {"gif", "image/gif"},         {"tif", "image/tiff"},         {"tiff", "image/tiff"},
        {"eml", "message/rfc822"},    {"msg", "application/vnd.ms-outlook"},
        {"doc", "application/msword"}, {"xls", "application/vnd.ms-excel"},
        {"dwg", "image/vnd.dwg"},
        {"docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document"},
        {"xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
    };
    auto dot = fileName.rfind('.');
    if (dot != std::string::npos) {
        std::string extension = fileName.substr(dot + 1);
        for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
        if (auto found = known.find(extension); found != known.end()) return found->second;
    }
    return "application/octet-stream";
}

}  // namespace mail
