#pragma once
// Fresh program state, an in-memory editor (its clipboard the fake desktop's), a fake window.
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
};

}  // namespace tess::test
