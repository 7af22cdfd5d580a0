// Turns the help sources in help/ into the program's help file.
//
//   tessaline-helpc OUTPUT SOURCE...
//
// The sources are read in the order given; their topics follow one another in the file. A source
// is plain text:
//
//   # Title          starts a top-level topic
//   ## Title         starts a sub-topic of the top-level topic above it
//   @tab N           (right under a heading) tab stops every N characters in the text pane
//   @wrap on|off     (right under a heading) lines wrap at the pane's width, or scroll sideways
//   \#...            a body line that starts with "#", "@" or "\" is written with a "\" in front
//
// Every other line belongs to the body of the topic above it. Blank lines at the start and end of
// a body are dropped; lines are joined with CR LF, tabs are kept. The file is written only when
// every source is sound, so a mistake never leaves a half-written help file behind.
#include "help/HelpFile.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct SourceError : std::runtime_error {
    SourceError(const std::string& file, int line, const std::string& what)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot be read");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

class Compiler {
public:
    void source(const std::string& path) {
        file_ = path;
        std::istringstream in(readFile(path));
        std::string line;
        lineNo_ = 0;
        while (std::getline(in, line)) {
            ++lineNo_;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            take(line);
        }
        finishTopic();
    }

    const std::vector<tess::HelpTopic>& topics() const { return topics_; }

private:
    void take(const std::string& line) {
        if (line.rfind("## ", 0) == 0) return startTopic(line.substr(3), 1);
        if (line.rfind("# ", 0) == 0) return startTopic(line.substr(2), 0);
        if (line.rfind("#", 0) == 0) fail("a heading is \"# Title\" or \"## Title\"; write \"\\#\" for a body line");
        if (line.rfind("@", 0) == 0) return directive(line);
        if (!open_) {
            if (trimmed(line).empty()) return;
            fail("text before the first heading");
        }
        inBody_ = true;
        body_.push_back(line.rfind("\\", 0) == 0 ? line.substr(1) : line);
    }

    void directive(const std::string& line) {
        if (!open_ || inBody_) fail("\"@\" settings belong right under a heading; write \"\\@\" for a body line");
        std::istringstream words(line.substr(1));
        std::string name, value, extra;
        words >> name >> value;
        if (value.empty() || words >> extra) fail("a setting is \"@tab N\" or \"@wrap on|off\"");
        tess::HelpTopic& topic = topics_.back();
        if (name == "tab") {
            try {
                std::size_t used = 0;
                const int width = std::stoi(value, &used);
                if (used != value.size() || width < 1 || width > 32) throw std::out_of_range(value);
                topic.tabWidth = width;
            } catch (const std::logic_error&) {
                fail("the tab width is a number from 1 to 32");
            }
        } else if (name == "wrap" && (value == "on" || value == "off")) {
            topic.wrapMode = value == "on" ? tess::kWrapLines : tess::kNoWrap;
        } else {
            fail("a setting is \"@tab N\" or \"@wrap on|off\"");
        }
    }

    void startTopic(const std::string& title, int level) {
        finishTopic();
        if (level != 0 && !hasTopLevel_) fail("a sub-topic needs a top-level topic above it");
        if (trimmed(title).empty()) fail("a heading needs a title");
        if (level == 0) hasTopLevel_ = true;
        tess::HelpTopic topic;
        topic.title = trimmed(title);
        topic.level = level;
        topics_.push_back(topic);
        open_ = true;
        inBody_ = false;
        headingLine_ = lineNo_;
    }

    void finishTopic() {
        if (!open_) return;
        while (!body_.empty() && trimmed(body_.back()).empty()) body_.pop_back();
        std::string body;
        for (std::size_t i = 0; i < body_.size(); ++i) body += (i ? "\r\n" : "") + body_[i];
        if (body.size() > tess::kMaxHelpText || topics_.back().title.size() > tess::kMaxHelpText)
            throw SourceError(file_, headingLine_, "the topic is longer than 65535 bytes");
        topics_.back().body = body;
        body_.clear();
        open_ = false;
    }

    [[noreturn]] void fail(const std::string& what) const { throw SourceError(file_, lineNo_, what); }

    std::vector<tess::HelpTopic> topics_;
    std::vector<std::string> body_;
    std::string file_;
    int lineNo_ = 0;
    int headingLine_ = 0;
    bool open_ = false;
    bool inBody_ = false;
    bool hasTopLevel_ = false;
};

void writeFile(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw std::runtime_error(temporary + ": cannot be written");
    }
    std::remove(path.c_str());
    if (std::rename(temporary.c_str(), path.c_str()) != 0) throw std::runtime_error(path + ": cannot be written");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: tessaline-helpc OUTPUT SOURCE...\n";
        return 2;
    }
    try {
        Compiler compiler;
        for (int i = 2; i < argc; ++i) compiler.source(argv[i]);
        if (compiler.topics().empty()) throw std::runtime_error("the sources hold no topic");
        writeFile(argv[1], tess::writeHelpFile(compiler.topics()));
        std::cout << argv[1] << ": " << compiler.topics().size() << " topics\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tessaline-helpc: " << e.what() << '\n';
        return 1;
    }
}
