// Plays a fuzz target where libFuzzer is not at hand (gcc builds): every file of the
// corpus folders (or files) given, then a fixed number of inputs made from them by
// small random changes, drawn from a fixed seed, so every run plays the same inputs.
// It takes libFuzzer's command line, so one CTest command serves both:
//
//     fuzz-eml -runs=2000 -seed=1 FOLDER...
//
// Other "-flag=value" arguments are ignored. When the target crashes, the input that
// did it is written to "crash-input" in the current folder first.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)());

namespace {

namespace fs = std::filesystem;

constexpr size_t kLargest = 1 << 20;  // inputs grow no larger than this

// The input being played, for the crash handlers.
const std::string* current = nullptr;

void SaveCurrent() {
    if (!current) return;
    int file = ::open("crash-input", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return;
    for (size_t at = 0; at < current->size();) {
        ssize_t written = ::write(file, current->data() + at, current->size() - at);
        if (written <= 0) break;
        at += size_t(written);
    }
    ::close(file);
    static const char note[] = "\nfuzz driver: the input that failed is in ./crash-input\n";
    [[maybe_unused]] ssize_t ignored = ::write(2, note, sizeof note - 1);
}

void OnSignal(int signal) {
    SaveCurrent();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void Play(const std::string& input) {
    current = &input;
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    current = nullptr;
}

void AddFile(const fs::path& file, std::vector<std::string>& corpus) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    corpus.push_back(content.str());
}

// One small change: a bit flipped, a byte set, bytes inserted or removed, a piece
// repeated, or the input spliced with another of the corpus.
void MutateOnce(std::string& input, const std::vector<std::string>& corpus, std::mt19937_64& random) {
    auto pick = [&](size_t bound) { return bound == 0 ? size_t(0) : size_t(random() % bound); };
    static const char interesting[] = {'\0', '\r', '\n', '-', '=', ':', ';', '"', '\\', ' ', '\x7F', '\xFF'};
    switch (random() % 7) {
        case 0:
            if (!input.empty()) input[pick(input.size())] ^= char(1 << (random() % 8));
            break;
        case 1:
            if (!input.empty()) input[pick(input.size())] = interesting[pick(sizeof interesting)];
            break;
        case 2: {
            std::string bytes(1 + pick(8), '\0');
            for (char& c : bytes) c = char(random());
            input.insert(pick(input.size() + 1), bytes);
            break;
        }
        case 3:
            if (!input.empty()) {
                size_t at = pick(input.size());
                input.erase(at, 1 + pick(std::min<size_t>(64, input.size() - at)));
            }
            break;
        case 4:
            if (!input.empty() && input.size() < kLargest) {
                size_t at = pick(input.size()), length = 1 + pick(std::min<size_t>(256, input.size() - at));
                std::string piece = input.substr(at, length);
                size_t times = 1 + pick(16);
                for (size_t i = 0; i < times && input.size() + piece.size() <= kLargest; ++i) input.insert(at, piece);
            }
            break;
        case 5: {
            const std::string& other = corpus[pick(corpus.size())];
            input = input.substr(0, pick(input.size() + 1)) + other.substr(pick(other.size() + 1));
            break;
        }
        default:
            input.insert(pick(input.size() + 1), 1, interesting[pick(sizeof interesting)]);
            break;
    }
    if (input.size() > kLargest) input.resize(kLargest);
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    long runs = 0;
    unsigned long long seed = 1;
    std::vector<std::string> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("-runs=", 0) == 0) {
            runs = std::strtol(arg.c_str() + 6, nullptr, 10);
        } else if (arg.rfind("-seed=", 0) == 0) {
            seed = std::strtoull(arg.c_str() + 6, nullptr, 10);
        } else if (arg.rfind("-", 0) == 0) {
            continue;
        } else if (fs::is_directory(arg)) {
            std::vector<fs::path> files;
            for (const auto& entry : fs::directory_iterator(arg))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files) AddFile(file, corpus);
        } else if (fs::is_regular_file(arg)) {
            AddFile(arg, corpus);
        } else {
            std::fprintf(stderr, "fuzz driver: no such corpus %s\n", arg.c_str());
            return 2;
        }
    }
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) ::signal(signal, OnSignal);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(SaveCurrent);

    const size_t seeds = corpus.size();
    if (corpus.empty()) corpus.emplace_back();
    for (const auto& input : corpus) Play(input);
    std::mt19937_64 random(seed);
    for (long run = 0; run < runs; ++run) {
        std::string input = corpus[random() % corpus.size()];
        for (int changes = 1 + int(random() % 4); changes > 0; --changes) MutateOnce(input, corpus, random);
        Play(input);
    }
    std::printf("fuzz driver: %zu corpus inputs and %ld changed inputs played (seed %llu)\n", seeds, runs, seed);
    return 0;
}
