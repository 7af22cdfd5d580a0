#include "state/Settings.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace tess {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Beyond these a position or size comes from a damaged file, not from a real screen, and the
// window arithmetic that follows would overflow.
constexpr std::int32_t kMaxCoordinate = 16000;
constexpr std::int32_t kMinClientWidth = 300;
constexpr std::int32_t kMinClientHeight = 200;
constexpr std::int32_t kMaxFontSize = 96;
constexpr std::int32_t kMaxTabSpaces = 32;
constexpr std::int32_t kMaxColor = 0xFFFFFF;
constexpr std::int32_t kBrowserSlots = 5;
constexpr std::int32_t kMaxRecentFiles = 4;

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += '"';
    out += kLineEnd;
}

void appendNumbers(std::string& out, std::initializer_list<std::int32_t> values) {
    bool first = true;
    for (const std::int32_t v : values) {
        if (!first) out += ',';
        out += std::to_string(v);
        first = false;
    }
    out += kLineEnd;
}

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Splits the file into values: a comma or a line end (CR LF, CR or LF) ends a value, and a
// quoted value is the text between its quotes, commas included. Whatever follows a closing quote
// up to the next delimiter is dropped.
class ValueReader {
public:
    explicit ValueReader(std::string_view in) : in_(in) {}

    std::optional<std::string_view> next() {
        if (pos_ >= in_.size()) return std::nullopt;
        while (pos_ < in_.size() && isBlank(in_[pos_])) ++pos_;
        std::string_view value;
        if (pos_ < in_.size() && in_[pos_] == '"') {
            const std::size_t start = ++pos_;
            while (pos_ < in_.size() && in_[pos_] != '"' && !isLineEnd(in_[pos_])) ++pos_;
            value = in_.substr(start, pos_ - start);
            while (pos_ < in_.size() && in_[pos_] != ',' && !isLineEnd(in_[pos_])) ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < in_.size() && in_[pos_] != ',' && !isLineEnd(in_[pos_])) ++pos_;
            value = in_.substr(start, pos_ - start);
            while (!value.empty() && isBlank(value.back())) value.remove_suffix(1);
        }
        skipDelimiter();
        return value;
    }

private:
    void skipDelimiter() {
        if (pos_ >= in_.size()) return;
        if (in_[pos_] == '\r' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
};

// A decimal number, optionally signed and with a fraction, rounded to the nearest integer with
// halves to even. Anything else, or a value outside 32 bits, cannot be read.
std::optional<std::int32_t> parseNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t whole = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > (std::int64_t{1} << 32)) return std::nullopt;
    }
    int firstFraction = -1;
    bool restNonZero = false;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            if (firstFraction < 0) firstFraction = text[i] - '0';
            else if (text[i] != '0') restNonZero = true;
        }
    }
    if (digits == 0 || i != text.size()) return std::nullopt;
    const bool roundUp =
        firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1));
    if (roundUp) ++whole;
    if (negative) whole = -whole;
    if (whole < INT32_MIN || whole > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

void readNumber(ValueReader& reader, std::int32_t& field) {
    if (const auto value = reader.next())
        if (const auto number = parseNumber(*value)) field = *number;
}

// A flag is written as 0 or 1; any other number reads as set.
void readFlag(ValueReader& reader, bool& flag) {
    std::int32_t value = flag ? 1 : 0;
    readNumber(reader, value);
    flag = value != 0;
}

void readString(ValueReader& reader, std::string& field) {
    if (const auto value = reader.next()) field = std::string(*value);
}

void clampRange(std::int32_t& field, std::int32_t low, std::int32_t high) { field = std::clamp(field, low, high); }

// A value outside what the program can use counts as unreadable and falls back to its default.
void resetOutside(std::int32_t& field, std::int32_t low, std::int32_t high, std::int32_t fallback) {
    if (field < low || field > high) field = fallback;
}

}  // namespace

std::string settingsFileText(const Settings& s, std::string_view currentFile) {
    std::string out;
    appendQuoted(out, s.versionText);
    appendNumbers(out, {s.windowX, s.windowY, s.clientWidth, s.clientHeight, s.fontSize});
    appendNumbers(out, {s.recentCount, s.showLineNumbers, s.useLastSize, s.loadLastFile, s.browserIndex});
    appendNumbers(out, {s.tabSpaces, s.askToQuit, s.autoCompleteBrackets, s.backgroundColor, s.wordWrap});
    appendQuoted(out, currentFile);
    const int recent = std::clamp(s.recentCount, 0, kMaxRecentFiles);
    for (int i = 0; i < recent; ++i) appendQuoted(out, s.recentFiles[static_cast<std::size_t>(i)]);
    for (const auto& path : s.browserPaths) appendQuoted(out, path);
    return out;
}

void readSettingsFile(std::string_view bytes, Settings& s) {
    ValueReader reader(bytes);
    readString(reader, s.versionText);
    for (std::int32_t* field : {&s.windowX, &s.windowY, &s.clientWidth, &s.clientHeight, &s.fontSize, &s.recentCount})
        readNumber(reader, *field);
    for (bool* flag : {&s.showLineNumbers, &s.useLastSize, &s.loadLastFile}) readFlag(reader, *flag);
    readNumber(reader, s.browserIndex);
    readNumber(reader, s.tabSpaces);
    for (bool* flag : {&s.askToQuit, &s.autoCompleteBrackets}) readFlag(reader, *flag);
    readNumber(reader, s.backgroundColor);
    readFlag(reader, s.wordWrap);
    readString(reader, s.lastFile);

    // The file says how many recent lines follow; a hand-edited count above four still reads that
    // many lines, so the browser lines after them stay in place, but only four are kept.
    const std::int64_t announced = std::max<std::int32_t>(s.recentCount, 0);
    std::int32_t kept = 0;
    for (std::int64_t i = 0; i < announced; ++i) {
        const auto value = reader.next();
        if (!value) break;
        if (kept < kMaxRecentFiles) s.recentFiles[static_cast<std::size_t>(kept++)] = std::string(*value);
    }
    for (std::size_t i = static_cast<std::size_t>(kept); i < s.recentFiles.size(); ++i) s.recentFiles[i].clear();
    s.recentCount = kept;

    for (auto& path : s.browserPaths) readString(reader, path);
    clampSettings(s);
}

void clampSettings(Settings& s) {
    clampRange(s.windowX, 0, kMaxCoordinate);
    clampRange(s.windowY, 0, kMaxCoordinate);
    clampRange(s.clientWidth, kMinClientWidth, kMaxCoordinate);
    clampRange(s.clientHeight, kMinClientHeight, kMaxCoordinate);
    clampRange(s.recentCount, 0, kMaxRecentFiles);
    // 0 is kept: it is the first-run marker that start-up turns into the default.
    resetOutside(s.fontSize, 0, kMaxFontSize, 10);
    resetOutside(s.tabSpaces, 0, kMaxTabSpaces, 3);
    resetOutside(s.backgroundColor, 0, kMaxColor, kMaxColor);
    resetOutside(s.browserIndex, 0, kBrowserSlots, 0);
}

}  // namespace tess
