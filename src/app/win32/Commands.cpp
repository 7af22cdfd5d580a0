// The command table: one line per command id; toolbar ids run the same code as their menu ids.
// Commands that trigger others send them to the main window with SendMessage, so each one runs
// to its end before the sender goes on.
#include "app/win32/MainWindow.h"
#include "document/Documents.h"
#include "resources/resource.h"

namespace tess::win32 {

void MainWindow::onCommand(int id) {
    Context ctx = context();
    switch (id) {
    case IDM_NEW: case IDT_NEW: newDocument(ctx); return;
    case IDM_OPEN: case IDT_OPEN: openDocument(ctx); return;
    case IDM_SAVE: case IDT_SAVE: saveDocumentCommand(ctx); return;
    case IDM_SAVEAS: saveDocumentAs(ctx); return;
    case IDM_EXIT: ::SendMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0); return;
    case IDM_RECENT1: case IDM_RECENT2: case IDM_RECENT3: case IDM_RECENT4: openRecentFile(ctx, id - IDM_EXIT); return;
    case IDC_GUTTER: ::SetFocus(editorHwnd_); return;
    default: return;  // the commands of features not built yet
    }
}

}  // namespace tess::win32
