#pragma once
// Fresh program state, an in-memory editor (its clipboard the fake desktop's), a fake window and printer.
#include "FakeDesktop.h"
#include "FakeMainView.h"
#include "FakePrinter.h"
#include "InMemoryEditControl.h"
#include "app/Startup.h"

namespace tess::test {

struct TestContext {
    App app;
    FakeDesktop desktop;
    InMemoryEditControl editor{desktop.clipboard};
    FakeMainView view;
    FakePrinters printers;
    Context ctx{app, editor, desktop, view, &printers};

    TestContext() {
        app.paths = makePaths("C:\\Data\\");
        editor.setTextLimit(100000);
    }
    TestContext(const TestContext&) = delete;
};

}  // namespace tess::test
