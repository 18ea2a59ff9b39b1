#include "hosts/sim/runner/scenario.h"

#include <fstream>
#include <sstream>

namespace sim::scenario {

std::string Step::Word(size_t i) const {
    return i < tokens.size() && tokens[i].kind == Token::Kind::Word ? tokens[i].text : std::string();
}

namespace {

std::string ResolveCrLf(const std::string& s) {
    std::string out;
    const std::string marker = "{CRLF}";
    for (size_t i = 0; i < s.size();) {
        if (s.compare(i, marker.size(), marker) == 0) {
            out += "\r\n";
            i += marker.size();
        } else {
            out += s[i++];
        }
    }
    return out;
}

bool IsNumberStart(const std::string& line, size_t i) {
    char c = line[i];
    if (c >= '0' && c <= '9') return true;
    if (c == '-' && i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9') return true;
    return c == '&' && i + 1 < line.size() && (line[i + 1] == 'H' || line[i + 1] == 'h');
}

std::vector<Token> Tokenize(const std::string& line, int number) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                text += line[i++];
            }
            if (!closed) throw SyntaxError(number, "unterminated string");
            tokens.push_back({Token::Kind::String, ResolveCrLf(text), 0});
        } else if (IsNumberStart(line, i)) {
            size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
            std::string text = line.substr(start, i - start);
            Token token{Token::Kind::Number, text, 0};
            try {
                size_t used = 0;
                if (text[0] == '&')
                    token.number = int64_t(std::stoull(text.substr(2), &used, 16)), used += 2;
                else
                    token.number = std::stoll(text, &used, 10);
                if (used != text.size()) token.kind = Token::Kind::Word;  // 2026-03-05, 05-123 ...
            } catch (const std::exception&) {
                token.kind = Token::Kind::Word;
            }
            tokens.push_back(token);
        } else {
            size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"') ++i;
            tokens.push_back({Token::Kind::Word, line.substr(start, i - start), 0});
        }
    }
    return tokens;
}

}  // namespace

std::vector<Step> Parse(const std::string& content) {
    std::vector<std::string> lines;
    std::istringstream in(content);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    std::vector<Step> steps;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        Step step;
        step.line = int(n + 1);
        step.tokens = Tokenize(line, step.line);
        if (!step.tokens.empty() && step.tokens.back().kind == Token::Kind::Word &&
            step.tokens.back().text.rfind("<<", 0) == 0) {
            std::string end = step.tokens.back().text.substr(2);
            step.tokens.pop_back();
            std::string block;
            size_t m = n + 1;
            for (; m < lines.size() && lines[m] != end; ++m) block += lines[m] + "\r\n";
            if (m == lines.size()) throw SyntaxError(step.line, "no line " + end + " ends the block");
            step.block = block;
            n = m;
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

namespace {

std::string ReadScenario(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    if (in) content << in.rdbuf();
    if (!in || !std::filesystem::is_regular_file(file)) throw std::runtime_error("cannot read " + file.string());
    return content.str();
}

// Appends the steps of `file` to `out`; `line` > 0 is the scenario's include step that
// every step takes; `open` holds the files being read, to refuse a cycle.
void Expand(const std::filesystem::path& file, int line, std::vector<std::filesystem::path>& open,
            std::vector<Step>& out) {
    for (auto& step : Parse(ReadScenario(file))) {
        const int at = line > 0 ? line : step.line;
        if (!step.IsWord(0, "include")) {
            step.line = at;
            out.push_back(std::move(step));
            continue;
        }
        if (step.tokens.size() != 2 || step.tokens[1].kind != Token::Kind::String)
            throw SyntaxError(at, "include names one file in quotes");
        const auto included = std::filesystem::weakly_canonical(file.parent_path() / step.tokens[1].text);
        for (const auto& reading : open)
            if (reading == included) throw SyntaxError(at, "include \"" + step.tokens[1].text + "\" includes itself");
        open.push_back(included);
        try {
            Expand(included, at, open, out);
        } catch (const SyntaxError& e) {
            throw SyntaxError(at, "in " + step.tokens[1].text + ": " + e.what());
        } catch (const std::runtime_error& e) {
            throw SyntaxError(at, e.what());
        }
        open.pop_back();
    }
}

}  // namespace

std::vector<Step> ParseFile(const std::filesystem::path& file) {
    std::vector<std::filesystem::path> open{std::filesystem::weakly_canonical(file)};
    std::vector<Step> steps;
    Expand(file, 0, open, steps);
    return steps;
}

}  // namespace sim::scenario
