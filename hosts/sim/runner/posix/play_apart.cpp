#include "hosts/sim/runner/play_apart.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace sim::runner {

int PlayApart(const std::string& file, const std::vector<std::string>&, const std::optional<std::filesystem::path>&,
              const std::function<int()>& play) {
    pid_t child = fork();
    if (child == 0) {
        const int result = play();
        std::fflush(stdout);
        _exit(result);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) std::printf("FAIL %s: crashed (signal %d)\n", file.c_str(), WTERMSIG(status));
    return 1;
}

}  // namespace sim::runner
