#pragma once
// Fresh program state, an in-memory editor (its clipboard the fake desktop's), a fake window and printer.
#include "FakeDesktop.h"
#include "FakeMainView.h"
#include "FakePrinter.h"
#include "InMemoryEditControl.h"
#include "app/Commands.h"
#include "app/Startup.h"

namespace tess::test {

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
