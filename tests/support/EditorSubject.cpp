#include "EditorSubject.h"

#include "resources/resource.h"

namespace tess::test {

std::vector<Stroke> parseKeys(std::string_view script) {
    std::vector<Stroke> strokes;
    for (std::size_t i = 0; i < script.size(); ++i) {
        Stroke stroke;
        const std::size_t end = script[i] == '{' ? script.find('}', i) : std::string_view::npos;
        if (end == std::string_view::npos) {
            std::size_t length = 1;
            while (i + length < script.size() && (static_cast<unsigned char>(script[i + length]) & 0xC0) == 0x80) ++length;
            for (const char16_t unit : utf16(script.substr(i, length))) {
                stroke.typed = unit;
                strokes.push_back(stroke);
            }
            i += length - 1;
            continue;
        }
        std::string_view name = script.substr(i + 1, end - i - 1);
        i = end;
        for (;;) {
            if (name.starts_with("S-")) stroke.shift = true;
            else if (name.starts_with("C-")) stroke.control = true;
            else if (name.starts_with("A-")) stroke.alt = true;
            else break;
            name.remove_prefix(2);
        }
        if (name.ends_with('+')) {
            stroke.held = true;
            name.remove_suffix(1);
        }
        if (const auto colon = name.find(':'); colon != std::string_view::npos) {
            stroke.presses = std::stoi(std::string(name.substr(colon + 1)));
            name = name.substr(0, colon);
        }
        stroke.name = std::string(name);
        strokes.push_back(stroke);
    }
    return strokes;
}

std::vector<std::string> EditorSubject::gutterRows() {
    std::vector<std::string> rows;
    const std::string text = gutterText();
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t to = std::min(text.find("\r\n", from), text.size());
        const std::string row = text.substr(from, to - from);
        rows.push_back(row.substr(std::min(row.find_first_not_of(' '), row.size())));
        from = to + 2;
    }
    return rows;
}

void EditorSubject::caretAt(int line, int column) {
    const std::u16string text = parseMarked(marked()).text;
    std::size_t pos = 0;
    for (int l = 1; l < line; ++l) pos = text.find(u"\r\n", pos) + 2;
    click(static_cast<int>(pos) + column - 1);
}

void EditorSubject::bookmark(const std::vector<int>& lines) {
    for (const int line : lines) {
        caretAt(line, 1);
        command(IDM_SETBOOKMARK);
    }
}

}  // namespace tess::test
