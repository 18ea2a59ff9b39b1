#include "hosts/desk/app/desktop_shell.h"

#include <QDesktopServices>
#include <QThread>
#include <QUrl>

#include "hosts/desk/toolkit/widget_values.h"
#include "platform/files/posix/prefix.h"

namespace desk {

namespace {
// ShellExecute's answers: above 32 it worked; 2 the file was not found.
constexpr int32_t kOpened = 42;
constexpr int32_t kNotFound = 2;

QUrl Target(const std::string& file) {
    QUrl url(ToQString(file));
    if (url.isValid() && url.scheme().size() > 1) return url;  // http:, https:, mailto: (not a drive letter)
    if (auto host = platform::files::Prefix::HostPath(file)) return QUrl::fromLocalFile(QString::fromStdString(host->string()));
    return {};
}
}  // namespace

int32_t DesktopShell::Run(const platform::shell::Call& call) {
    if (call.function == "SleepEx") {
        QThread::msleep(static_cast<unsigned long>(call.number > 0 ? call.number : 0));
        return 0;
    }
    if (call.function != "ShellExecute") return kNotFound;
    QUrl url = Target(call.file);
    if (url.isEmpty()) return kNotFound;
    return QDesktopServices::openUrl(url) ? kOpened : kNotFound;
}

}  // namespace desk
