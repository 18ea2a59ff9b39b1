// quillet-sim FILE.scn...: plays each scenario in a process of its own, against a
// fresh prefix, the simulated Outlook and the headless toolkit, with the real add-in
// and utility libraries loaded as Outlook loads them. One line per scenario (ok, or
// FAIL with the file, the line and what happened instead), then "N passed, N failed".
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "hosts/sim/runner/scenario.h"
#include "hosts/sim/runner/session.h"

namespace fs = std::filesystem;

namespace {

// Plays one scenario in this process; prints its line; 0 when it passed.
int PlayOne(const std::string& file, const fs::path& libraries) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::printf("FAIL %s: cannot read the file\n", file.c_str());
        return 1;
    }
    std::ostringstream content;
    content << in.rdbuf();
    try {
        sim::runner::Session session(sim::scenario::Parse(content.str()), libraries);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillet-sim FILE.scn...\n");
        return 2;
    }
    const fs::path libraries = fs::canonical("/proc/self/exe").parent_path();
    int passed = 0, failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::fflush(stdout);
        pid_t child = fork();
        if (child == 0) {
            int result = PlayOne(argv[i], libraries);
            std::fflush(stdout);
            _exit(result);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            ++passed;
        } else {
            ++failed;
            if (WIFSIGNALED(status)) std::printf("FAIL %s: crashed (signal %d)\n", argv[i], WTERMSIG(status));
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
