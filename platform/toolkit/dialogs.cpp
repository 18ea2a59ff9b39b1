#include <cstdio>

#include "platform/toolkit/backend.h"

namespace platform::toolkit {

namespace {
// Without a host's toolkit nobody can answer: say so and give the neutral answer.
std::shared_ptr<Backend> Require(const DialogRequest& request) {
    auto backend = Installed();
    if (!backend)
        std::fprintf(stderr, "quillet: no toolkit installed for dialog \"%s\": %s\n",
                     request.title.c_str(), request.text.c_str());
    return backend;
}
}  // namespace

int32_t MsgBox(std::string_view prompt, int32_t flags, std::string_view title) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::MsgBox;
    request.title = title;
    request.text = prompt;
    request.flags = flags;
    auto backend = Require(request);
    if (!backend) return (flags & 7) == vbYesNo ? vbNo : ((flags & 7) == vbOKCancel ? vbCancel : vbOK);
    return backend->MsgBox(request);
}

std::string InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::InputBox;
    request.title = title;
    request.text = prompt;
    request.defaultText = defaultText;
    auto backend = Require(request);
    if (!backend) return {};
    return backend->InputBox(request).value_or("");
}

std::string BrowseForFolder(Hwnd owner, std::string_view title, int32_t options,
                            std::optional<std::string> root) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::FolderPicker;
    request.title = title;
    request.flags = options;
    request.root = std::move(root);
    request.owner = owner;
    auto backend = Require(request);
    if (!backend) return {};
    return backend->BrowseForFolder(request).value_or("");
}

}  // namespace platform::toolkit
