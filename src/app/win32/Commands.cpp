// The command table: one line per command id; toolbar ids run the same code as their menu ids.
#include "app/win32/MainWindow.h"
#include "resources/resource.h"

namespace tess::win32 {

void MainWindow::onCommand(int id) {
    switch (id) {
    case IDM_EXIT: ::SendMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0); return;
    case IDC_GUTTER: ::SetFocus(editorHwnd_); return;
    default: return;
    }
}

}  // namespace tess::win32
