#include "app/win32/WindowPlace.h"

namespace tess::win32 {

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) {
        const RECT& w = info.rcWork;
        reinterpret_cast<std::vector<Rect>*>(areas)->push_back({w.left, w.top, w.right - w.left, w.bottom - w.top});
    }
    return TRUE;
}

}  // namespace

std::vector<Rect> monitorWorkAreas() {
    std::vector<Rect> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, &addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

RECT normalPlace(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    // The normal place is given in workspace coordinates, which start at the corner of the work
    // area of the window's monitor: a task bar at the top or left moves them from the screen's.
    RECT place = placement.rcNormalPosition;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        ::OffsetRect(&place, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    return place;
}

}  // namespace tess::win32
