#include "help/HelpFile.h"

#include <stdexcept>

namespace tess {

namespace {

// Reads the format's fields from the front of the bytes; every read checks what is left first.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool uint16(std::uint32_t& value) {
        if (rest_.size() < 2) return false;
        value = byte(0) | byte(1) << 8;
        rest_.remove_prefix(2);
        return true;
    }
    bool int32(std::int32_t& value) {
        if (rest_.size() < 4) return false;
        value = static_cast<std::int32_t>(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
        rest_.remove_prefix(4);
        return true;
    }
    bool text(std::string& value) {
        std::uint32_t length = 0;
        if (!uint16(length) || rest_.size() < length) return false;
        value.assign(rest_.substr(0, length));
        rest_.remove_prefix(length);
        return true;
    }
    std::size_t left() const { return rest_.size(); }

private:
    std::uint32_t byte(std::size_t i) const { return static_cast<unsigned char>(rest_[i]); }
    std::string_view rest_;
};

// Every topic takes at least two length fields, a level and a layout.
constexpr std::size_t kSmallestTopic = 2 + 2 + 4 + 8;

void putUint16(std::string& out, std::size_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void putInt32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(bits >> shift & 0xFF);
}

void putText(std::string& out, const std::string& text) {
    if (text.size() > kMaxHelpText) throw std::length_error("a help text is longer than 65535 bytes");
    putUint16(out, text.size());
    out += text;
}

}  // namespace

std::optional<std::vector<HelpTopic>> loadHelpFile(std::string_view bytes) {
    Reader in(bytes);
    std::int32_t count = 0;
    if (!in.int32(count) || count <= 0) return std::nullopt;
    // A count the remaining bytes cannot hold is refused before anything is sized by it.
    if (static_cast<std::size_t>(count) > in.left() / kSmallestTopic) return std::nullopt;

    std::vector<HelpTopic> topics(static_cast<std::size_t>(count));
    for (HelpTopic& topic : topics)
        if (!in.text(topic.body)) return std::nullopt;
    for (HelpTopic& topic : topics)
        if (!in.text(topic.title)) return std::nullopt;
    for (HelpTopic& topic : topics)
        if (!in.int32(topic.level)) return std::nullopt;
    for (HelpTopic& topic : topics)
        if (!in.int32(topic.tabWidth) || !in.int32(topic.wrapMode)) return std::nullopt;
    return topics;
}

std::string writeHelpFile(const std::vector<HelpTopic>& topics) {
    if (topics.size() > 0x7FFFFFFF) throw std::length_error("too many help topics");
    std::string out;
    putInt32(out, static_cast<std::int32_t>(topics.size()));
    for (const HelpTopic& topic : topics) putText(out, topic.body);
    for (const HelpTopic& topic : topics) putText(out, topic.title);
    for (const HelpTopic& topic : topics) putInt32(out, topic.level);
    for (const HelpTopic& topic : topics) {
        putInt32(out, topic.tabWidth);
        putInt32(out, topic.wrapMode);
    }
    return out;
}

}  // namespace tess
