#include "EditorSubject.h"

#include "resources/resource.h"

namespace tess::test {
namespace {

Stroke namedKey(std::string name) {  // the name between the braces
    Stroke stroke;
    for (;; name.erase(0, 2)) {
        if (name.starts_with("S-")) stroke.shift = true;
        else if (name.starts_with("C-")) stroke.control = true;
        else if (name.starts_with("A-")) stroke.alt = true;
        else break;
    }
    if (name.ends_with('+')) stroke.held = true, name.pop_back();
    const std::size_t colon = name.find(':');
    if (colon != std::string::npos) stroke.presses = std::stoi(name.substr(colon + 1));
    stroke.name = name.substr(0, colon);
    return stroke;
}

}  // namespace

void EditorSubject::keys(std::string_view script) {
    const std::u16string units = utf16(script);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::size_t end = units[i] == u'{' ? units.find(u'}', i) : std::u16string::npos;
        if (end == std::u16string::npos) {
            stroke({.typed = units[i]});
        } else {
            stroke(namedKey(utf8(units.substr(i + 1, end - i - 1))));
            i = end;
        }
    }
}

std::vector<std::string> EditorSubject::dialog(int id, DialogSteps steps) {
    return playing(std::move(steps), [&] { command(id); });
}

std::vector<std::string> EditorSubject::use(std::string_view route) {
    if (route.starts_with('{')) return playing({}, [&] { keys(route); });
    const std::string_view where = route.substr(0, route.find('>'));
    if (const int id = commandOf(where, route.substr(where.size() + 1))) return playing({}, [&] { command(id); });
    ADD_FAILURE() << "nothing to choose as " << route;
    return {};
}

std::vector<std::string> EditorSubject::gutterRows() {
    std::vector<std::string> rows;
    const std::string text = gutterText();
    for (std::size_t from = 0, to = 0; from < text.size(); from = to + 2) {
        to = std::min(text.find("\r\n", from), text.size());
        const std::string row = text.substr(from, to - from);
        rows.push_back(row.substr(std::min(row.find_first_not_of(' '), row.size())));
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
    for (const int line : lines) caretAt(line, 1), command(IDM_SETBOOKMARK);
}

}  // namespace tess::test
