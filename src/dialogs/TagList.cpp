#include "dialogs/TagList.h"

#include <algorithm>

namespace tess {

namespace {

constexpr std::string_view kTagListText =
    "<html>...</html>, <head>...</head>, <title>...</title>, <meta>, <body>...</body>, <p>...</p>, <h1>...</h1>, "
    "<address>...</address>, <pre>...</pre>, <em>...</em>, <q>...</q>, <cite>...</cite>, <font>...</font>, "
    "<i>...</i>, <b>...</b>, <u>...</u>, <abbr>...</abbr>, <span>...</span>, <br />, <ol>...</ol>, <ul>...</ul>, "
    "<li>...</li>, <header>...</header>, <footer>...</footer>, <nav>...</nav>, <section>...</section>, "
    "<aside>...</aside>, <div>...</div>, <hr>, <a>...</a>, <link>, <img>, <figure>...</figure>, "
    "<table>...</table>, <tr>...</tr>, <th>...</th>, <td>...</td>, <form>...</form>, <input>...</input>, "
    "<button>...</button>, <label>...</label>, <menu>...</menu>, <style>...</style>";

constexpr int kWidth = 130;
constexpr int kRightInset = 180;   // from the main window's left edge plus its client width
constexpr int kTopOffset = 90;     // below the main window's top edge
constexpr int kClientInset = 122;  // the main window's client height less the window's
constexpr int kListOverhang = 10;  // the list reaches this far below the window's client area
constexpr int kMinClientHeight = 40;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<std::string> tagListEntries() {
    std::vector<std::string> entries;
    for (std::size_t from = 0; from <= kTagListText.size();) {
        const std::size_t comma = std::min(kTagListText.find(',', from), kTagListText.size());
        entries.emplace_back(trimmed(kTagListText.substr(from, comma - from)));
        from = comma + 1;
    }
    return entries;
}

TagInsertion tagInsertion(std::string_view entry) {
    TagInsertion result;
    const std::size_t first = entry.find("...");
    result.caret = first == std::string_view::npos ? 0 : static_cast<int>(first);
    for (std::size_t from = 0; from <= entry.size();) {
        const std::size_t dots = std::min(entry.find("...", from), entry.size());
        result.text += entry.substr(from, dots - from);
        from = dots + 3;
    }
    return result;
}

// A main window too low for the list still gets one that shows a few entries. The size is at 96
// dpi, as every layout in pixels; the position is the screen's own pixels.
DialogLayout tagListLayout(const WindowGeometry& main) {
    const int height = std::max(unscaled(main.clientHeight, main.dpi) - kClientInset, kMinClientHeight);
    return {.title = "HTML Tags",
            .width = kWidth,
            .height = height,
            .units = DialogUnits::Pixels,
            .position = ScreenPoint{main.x + main.clientWidth - scaled(kRightInset, main.dpi),
                                    main.y + scaled(kTopOffset, main.dpi)},
            .topmost = true,
            .escapeCancels = false,
            .controls = {{.className = "LISTBOX",
                          .id = kTagListId,
                          .width = kWidth,
                          .height = height + kListOverhang,
                          .style = controlstyle::kVScroll | controlstyle::kTabStop | controlstyle::kListNotify |
                                   controlstyle::kListNoIntegralHeight},
                         // Takes the Enter key, which the dialog manager gives to id 1.
                         {.className = "BUTTON", .id = kDialogOk, .style = controlstyle::kPushButton}}};
}

void TagListModel::initialise(DialogView& view) {
    entries_ = tagListEntries();
    view.setListItems(kTagListId, entries_);
}

// Enter with nothing selected inserts nothing: an empty insertion would only delete the editor's
// selection.
void TagListModel::command(DialogView& view, int id, int notification) {
    const bool chosen = (id == kTagListId && notification == notification::kDoubleClicked) ||
                        (id == kDialogOk && notification == notification::kClicked);
    if (!chosen) return;
    const int index = view.selectedIndex(kTagListId);
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    insert_(tagInsertion(entries_[static_cast<std::size_t>(index)]));
}

}  // namespace tess
