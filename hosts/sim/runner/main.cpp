// quillet-sim [--keep DIR] [--toolkit qt] [--screenshots DIR] FILE.scn...: plays each
// scenario in a process of its own (--here: in this one), against a fresh prefix, the
// simulated Outlook and the headless toolkit, with the real add-in and utility
// libraries loaded as Outlook loads them. With --toolkit qt the forms and dialogs are
// real Qt widgets (off screen unless QT_QPA_PLATFORM says otherwise) and the person
// acts through them; with --screenshots each form's window is saved in DIR as it
// closes. On Windows, --toolkit win32 shows them in the system's own windows. One line per scenario
// (ok, or FAIL with the file, the line and what happened instead), then "N passed,
// N failed". With --keep, each scenario's prefix stays for a person to look at: in DIR
// for one scenario, in DIR/<scenario name> for several.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/sim/runner/machine.h"
#include "hosts/sim/runner/play_apart.h"
#include "hosts/sim/runner/scenario.h"
#include "hosts/sim/runner/session.h"

namespace fs = std::filesystem;

namespace {

// Plays one scenario in this process; prints its line; 0 when it passed.
int PlayOne(const std::string& file, const fs::path& libraries, const std::optional<fs::path>& keep,
            const sim::runner::Screen& screen) {
    std::vector<sim::scenario::Step> steps;
    try {
        steps = sim::scenario::ParseFile(file);
    } catch (const sim::scenario::SyntaxError& e) {
        std::printf("FAIL %s:%d: %s\n", file.c_str(), e.line, e.what());
        return 1;
    } catch (const std::exception&) {
        std::printf("FAIL %s: cannot read the file as a scenario\n", file.c_str());
        return 1;
    }
    if (auto failure = sim::runner::CheckSteps(steps)) {
        std::printf("FAIL %s:%d: %s\n", file.c_str(), failure->line, failure->what.c_str());
        return 1;
    }
    try {
        sim::runner::Session session(std::move(steps), libraries, keep, screen);
        if (auto failure = session.Play()) {
            std::printf("FAIL %s:%d: %s\n", file.c_str(), failure->line, failure->what.c_str());
            return 1;
        }
    } catch (const sim::scenario::SyntaxError& e) {
        std::printf("FAIL %s:%d: %s\n", file.c_str(), e.line, e.what());
        return 1;
    } catch (const std::exception& e) {
        std::printf("FAIL %s: %s\n", file.c_str(), e.what());
        return 1;
    }
    std::printf("ok %s\n", file.c_str());
    return 0;
}

// Where a kept prefix goes; nullopt (after a message) when that folder holds anything.
std::optional<fs::path> KeepFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::exists(folder, ec) && !(fs::is_directory(folder, ec) && fs::is_empty(folder, ec))) {
        std::fprintf(stderr, "quillet-sim: %s is not an empty folder; a kept prefix needs one\n",
                     folder.string().c_str());
        return std::nullopt;
    }
    fs::create_directories(folder, ec);
    return fs::absolute(folder);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string windows = sim::runner::machine::kWindowToolkit;
    const std::string usage =
        "usage: quillet-sim [--keep DIR] [--toolkit " + windows + "|headless] [--screenshots DIR] FILE.scn...\n";
    const char* kUsage = usage.c_str();
    std::optional<fs::path> keep;
    sim::runner::Screen screen;
    std::vector<std::string> files;
    std::vector<std::string> options;  // as given, for a scenario played apart
    bool here = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("-") && argument != "--here") options.push_back(argument);
        if ((argument == "--toolkit" || argument == "--screenshots") && i + 1 < argc) options.push_back(argv[i + 1]);
        if (argument == "--here") {
            here = true;
        } else if (argument == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else if (argument == "--toolkit" && i + 1 < argc) {
            const std::string toolkit = argv[++i];
            if (toolkit != windows && toolkit != "headless") {
                std::fprintf(stderr, "quillet-sim: unknown toolkit %s (%s or headless)\n%s", toolkit.c_str(),
                             windows.c_str(), kUsage);
                return 2;
            }
            screen.widgets = toolkit == windows;
        } else if (argument == "--screenshots" && i + 1 < argc) {
            screen.screenshots = fs::absolute(argv[++i]);
        } else if (argument == "-h" || argument == "--help") {
            std::printf("%s", kUsage);
            return 0;
        } else if (argument.starts_with("-")) {
            std::fprintf(stderr, "quillet-sim: unknown option %s\n%s", argument.c_str(), kUsage);
            return 2;
        } else {
            files.emplace_back(argument);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    if (screen.screenshots && !screen.widgets) {
        std::fprintf(stderr, "quillet-sim: --screenshots needs --toolkit %s\n", windows.c_str());
        return 2;
    }
    const fs::path libraries = sim::runner::machine::ProgramFolder();
    int passed = 0, failed = 0;
    for (const auto& file : files) {
        std::optional<fs::path> kept;
        if (keep) {
            kept = KeepFolder(files.size() == 1 ? *keep : *keep / fs::path(file).stem());
            if (!kept) return 2;
        }
        std::fflush(stdout);
        const int result = here ? PlayOne(file, libraries, kept, screen)
                                : sim::runner::PlayApart(file, options, kept, [&] {
                                      return PlayOne(file, libraries, kept, screen);
                                  });
        if (result == 0)
            ++passed;
        else
            ++failed;
        if (kept)
            std::printf("kept the prefix of %s in %s (C: is %s, the outbox %s)\n", file.c_str(), kept->string().c_str(),
                        (*kept / "drive_c").string().c_str(),
                        (*kept / "drive_c" / "Quillet Mail" / "Outbox").string().c_str());
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
