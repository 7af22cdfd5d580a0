#pragma once
// One fresh program state with an in-memory editor, a fake desktop and a fake window, wired
// together (the editor's cut/copy/paste use the fake desktop's clipboard).
#include "FakeDesktop.h"
#include "FakeMainView.h"
#include "InMemoryEditControl.h"
#include "state/App.h"

namespace tess::test {

struct TestContext {
    App app;
    FakeDesktop desktop;
    InMemoryEditControl editor{&desktop.clipboard};
    FakeMainView view;
    Context ctx{app, editor, desktop, view};

    TestContext() {
        app.paths.dataFolder = "C:\\Data\\";
        app.paths.settingsFile = "C:\\Data\\Tessaline.ini";
        app.paths.helpFile = "C:\\Data\\TessalineHelp.ahp";
        app.paths.previewFile = "C:\\Data\\runFile.htm";
        editor.setTextLimit(100000);
    }
    TestContext(const TestContext&) = delete;
    TestContext& operator=(const TestContext&) = delete;
};

}  // namespace tess::test
