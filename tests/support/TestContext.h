#pragma once
// One fresh program state with an in-memory editor, a fake desktop and a fake window, wired
// together (the editor's cut/copy/paste use the fake desktop's clipboard).
#include "FakeDesktop.h"
#include "FakeMainView.h"
#include "InMemoryEditControl.h"
#include "app/Startup.h"

namespace tess::test {

struct TestContext {
    App app;
    FakeDesktop desktop;
    InMemoryEditControl editor{desktop.clipboard};
    FakeMainView view;
    Context ctx{app, editor, desktop, view};

    TestContext() {
        app.paths = makePaths("C:\\Data\\");
        editor.setTextLimit(100000);
    }
    TestContext(const TestContext&) = delete;
    TestContext& operator=(const TestContext&) = delete;
};

}  // namespace tess::test
