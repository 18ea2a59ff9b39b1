// The one failure of the mail library: a message file that cannot be read or written,
// with a description that names the file (when there is one) and what is wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace mail {

class MailError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace mail
