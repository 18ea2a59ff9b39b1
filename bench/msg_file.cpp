// A message with a 25 MB attachment written as an Outlook message file and read back
// through a file (as SaveAs writes it and a reader meets it), beside a plain copy of the
// same bytes written to a file and read back, in the same run. Goal: the message file
// within 2 times the plain copy. The in-memory halves (writing, reading) are timed too,
// to show where the time goes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "hosts/mail/msg_file.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kAttachmentSize = 25u << 20;

const mail::Message& BigMessage() {
    static const mail::Message message = [] {
        mail::Message m;
        m.subject = "Roof drawings";
        m.sender = {"Anna Berg", "anna@example.com"};
        m.recipients = {{mail::RecipientKind::To, {"Ben Ode", "ben@example.com"}}};
        m.body = "The drawings are attached.\r\n";
        m.html = "<html><body><p>The drawings are attached.</p></body></html>";
        std::string bytes(kAttachmentSize, '\0');
        std::mt19937_64 random(42);
        for (size_t i = 0; i + 8 <= bytes.size(); i += 8) {
            const uint64_t value = random();
            std::memcpy(&bytes[i], &value, 8);
        }
        m.attachments = {{"Roof drawings.pdf", "application/pdf", std::move(bytes)}};
        return m;
    }();
    return message;
}

fs::path Scratch(const char* name) { return fs::temp_directory_path() / (std::string("quillet-bench-") + name); }

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "bench-msg_file: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

std::string ReadFile(const fs::path& path) {
    std::string bytes(fs::file_size(path), '\0');
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in || std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) {
        std::fprintf(stderr, "bench-msg_file: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(in);
    return bytes;
}

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "bench-msg_file: %s\n", what);
        std::exit(1);
    }
}

// The yardstick: the attachment's bytes to a file and back.
void PlainCopy(benchmark::State& state) {
    const std::string& bytes = BigMessage().attachments[0].bytes;
    const fs::path file = Scratch("plain.bin");
    for (auto _ : state) {
        WriteFile(file, bytes);
        std::string back = ReadFile(file);
        benchmark::DoNotOptimize(back.data());
        Check(back.size() == bytes.size(), "the copy lost bytes");
    }
    fs::remove(file);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()) * 2);
}

// The message file written, to a file, read back and its attachment taken out.
void MessageFileRoundTrip(benchmark::State& state) {
    const mail::Message& message = BigMessage();
    const fs::path file = Scratch("message.msg");
    for (auto _ : state) {
        WriteFile(file, mail::WriteMsg(message));
        mail::Message back = mail::ReadMsg(ReadFile(file));
        benchmark::DoNotOptimize(back.attachments.data());
        Check(back.attachments.size() == 1 && back.attachments[0].bytes.size() == kAttachmentSize,
              "the attachment did not come back");
    }
    state.counters["file MB"] = double(fs::file_size(file)) / (1 << 20);
    fs::remove(file);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kAttachmentSize) * 2);
}

void WriteMessageFile(benchmark::State& state) {
    const mail::Message& message = BigMessage();
    for (auto _ : state) {
        std::string bytes = mail::WriteMsg(message);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void ReadMessageFile(benchmark::State& state) {
    const std::string bytes = mail::WriteMsg(BigMessage());
    for (auto _ : state) {
        mail::Message back = mail::ReadMsg(bytes);
        benchmark::DoNotOptimize(back.attachments.data());
    }
}

BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(MessageFileRoundTrip)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteMessageFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadMessageFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
