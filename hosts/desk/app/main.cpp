// quillet-desk: a desktop stand-in for Outlook that a person can use. It loads the
// add-in from the prefix's registry store as Outlook does and shows the mail store,
// messages in windows of their own, and the add-in's forms in real windows.
//
//   quillet-desk --demo DIR          makes a demo prefix in DIR (if empty) and opens it
//   quillet-desk DIR                 opens an existing prefix
//   quillet-desk                     opens the last prefix, or offers to make a demo
//   ... --file-sample SHOTS          files one sample message unattended, saves
//                                    screenshots in SHOTS, prints where everything is
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "hosts/desk/app/demo_prefix.h"
#include "hosts/desk/app/desktop_shell.h"
#include "hosts/desk/app/filing_run.h"
#include "hosts/desk/app/main_window.h"
#include "hosts/desk/toolkit/qt_toolkit.h"
#include "hosts/sim/host/outlook_model.h"
#include "platform/errors/errors.h"
#include "platform/files/posix/prefix.h"
#include "platform/toolkit/backend.h"

namespace fs = std::filesystem;

namespace {

bool IsEmptyOrNew(const fs::path& folder) {
    std::error_code ec;
    return !fs::exists(folder, ec) || (fs::is_directory(folder, ec) && fs::is_empty(folder, ec));
}

// The prefix to open: the one named, the demo, the last one, or a demo the person agrees to.
std::optional<fs::path> ChoosePrefix(std::optional<fs::path> named, std::optional<fs::path> demo,
                                     const fs::path& libraries) {
    QSettings settings(QStringLiteral("Quillet"), QStringLiteral("quillet-desk"));
    if (demo) {
        if (IsEmptyOrNew(*demo)) {
            desk::MakeDemoPrefix(*demo, libraries);
            std::printf("made a demo prefix in %s\n", demo->c_str());
        }
        named = demo;
    }
    if (!named) {
        QString last = settings.value(QStringLiteral("lastPrefix")).toString();
        if (!last.isEmpty() && fs::exists(last.toStdString())) named = last.toStdString();
    }
    if (!named) {
        const fs::path offered = fs::path(QDir::homePath().toStdString()) / "QuilletDemo";
        if (QMessageBox::question(nullptr, QStringLiteral("Quillet Desk"),
                                  QStringLiteral("No prefix is open yet. Make a demo in %1?")
                                      .arg(QString::fromStdString(offered.string()))) != QMessageBox::Yes)
            return std::nullopt;
        if (IsEmptyOrNew(offered)) desk::MakeDemoPrefix(offered, libraries);
        named = offered;
    }
    *named = fs::absolute(*named);
    platform::files::Prefix::Open(*named);
    settings.setValue(QStringLiteral("lastPrefix"), QString::fromStdString(named->string()));
    return named;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::optional<fs::path> named, demo, shots;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--demo" && i + 1 < argc)
            demo = argv[++i];
        else if (argument == "--file-sample" && i + 1 < argc)
            shots = fs::absolute(argv[++i]);
        else if (!argument.starts_with("-"))
            named = argument;
        else {
            std::fprintf(stderr, "usage: quillet-desk [--demo DIR | DIR] [--file-sample SHOTS]\n");
            return 2;
        }
    }
    const fs::path libraries = fs::canonical("/proc/self/exe").parent_path();
    try {
        auto prefix = ChoosePrefix(named, demo, libraries);
        if (!prefix) return 0;
        desk::FilingStandIn standIn;
        auto toolkit = std::make_shared<desk::QtToolkit>(shots ? &standIn : nullptr);
        standIn.Use(*toolkit);
        platform::toolkit::Install(toolkit);
        platform::shell::Install(std::make_shared<desk::DesktopShell>());
        int result = 0;
        {
            sim::Outlook outlook;
            outlook.Start();
            for (const auto& escaped : outlook.Escaped()) std::fprintf(stderr, "quillet-desk: the add-in failed: %s\n", escaped.c_str());
            desk::MainWindow window(outlook);
            if (shots) {
                result = desk::FileOneMessage(window, *toolkit, *shots);
            } else {
                window.show();
                result = application.exec();
            }
            platform::toolkit::Install(nullptr);
        }
        return result;
    } catch (const platform::ErrorInfo& e) {
        std::fprintf(stderr, "quillet-desk: error %d: %s\n", e.Number, e.Description.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillet-desk: %s\n", e.what());
    }
    return 1;
}
