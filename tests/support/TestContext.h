#pragma once
// Fresh program state, an in-memory editor (its clipboard the fake desktop's), a fake window and printer.
#include "FakeDesktop.h"
#include "FakePrinter.h"
#include "InMemoryEditControl.h"
#include "app/Commands.h"
#include "app/Startup.h"
#include "state/MainView.h"

#include <functional>

namespace tess::test {

class FakeMainView : public MainView {
public:
    void setStatusTexts(std::string_view path, std::string_view line, std::string_view column) override {
        statusPath = path, statusLine = line, statusColumn = column;
    }
    void showEncoding(Encoding shown) override { encoding = shown; }
    void setGutterText(std::string_view text) override { gutterText = text; }
    void setRecentFileItems(const std::vector<std::string>& items) override { recentItems = items; }
    int runModalDialog(const DialogLayout& layout, DialogModel& model) override {
        return dialogs ? dialogs(layout, model) : -1;
    }
    void layOut() override { ++layouts; }
    void applyEditorFont() override { ++layouts; }  // the real one lays the window out for the new font
    void repaintEditor() override { ++repaints; }

    std::string statusPath, statusLine, statusColumn;
    Encoding encoding = Encoding::Ansi;
    std::string gutterText;
    std::vector<std::string> recentItems;
    std::function<int(const DialogLayout&, DialogModel&)> dialogs;  // none: a dialog cannot be shown
    int layouts = 0, repaints = 0;
};

struct TestContext {
    App app;
    EditorState edit;
    FindState find;
    FakeDesktop desktop;
    InMemoryEditControl editor{desktop.clipboard};
    FakeMainView view;
    FakePrinters printers;
    CommandContext ctx{{{app, editor, desktop, view, &printers}, edit}, find};

    TestContext() {
        app.paths = makePaths("C:\\Data\\");
        editor.setTextLimit(100000);
    }
    TestContext(const TestContext&) = delete;
};

}  // namespace tess::test
