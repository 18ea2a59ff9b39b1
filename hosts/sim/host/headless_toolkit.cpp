#include "hosts/sim/host/headless_toolkit.h"

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace sim {

namespace text = platform::text;

HeadlessToolkit::~HeadlessToolkit() = default;

int32_t HeadlessToolkit::MsgBox(const DialogRequest& request) {
    shown_.push_back(request);
    Record("msgbox " + request.title);
    return person_->AnswerMsgBox(request);
}

std::optional<std::string> HeadlessToolkit::InputBox(const DialogRequest& request) {
    shown_.push_back(request);
    Record("input " + request.title);
    return person_->AnswerInputBox(request);
}

std::optional<std::string> HeadlessToolkit::BrowseForFolder(const DialogRequest& request) {
    shown_.push_back(request);
    Record("picker " + request.title);
    auto answer = person_->AnswerPicker(request);
    if (!answer) return std::nullopt;
    std::string folder = *answer;
    // The shell gives a drive root as "C:\" and every other folder without its backslash.
    while (folder.size() > 1 && folder.back() == '\\' && !(folder.size() == 3 && folder[1] == ':'))
        folder.pop_back();
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    if (!platform::files::NewFileSystemObject()->FolderExists(folder)) {
        person_->Unexpected("picker answer \"" + *answer + "\" is not an existing folder");
        return std::nullopt;
    }
    if (request.root && !request.root->empty()) {
        std::string root = *request.root;
        if (root.back() != '\\') root += '\\';
        std::string candidate = folder.back() == '\\' ? folder : folder + '\\';
        if (!text::StartsWithNoCase(candidate, root)) {
            person_->Unexpected("picker answer \"" + *answer + "\" lies outside its root \"" + *request.root + "\"");
            return std::nullopt;
        }
    }
    return folder;
}

}  // namespace sim
