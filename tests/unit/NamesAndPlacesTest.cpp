// Which document names are taken, and where the window comes back at start-up.
#include "app/ScreenPlacement.h"
#include "platform/FileNames.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

// A device's name, whatever its extension or folder, is no file name; any other name is one, in any script.
TEST(FileNames, ADeviceNameIsNoFile) {
    const struct { std::string path; bool device; } rows[] = {
        {"C:\\Web\\index.html", false}, {"C:\\Web\\aux.html", true}, {"nul", true}, {"D:\\Con .tar.gz", true},
        {"LPT9", true}, {"com0.txt", false}, {"C:/com1.log", true}, {"LPT10", false}, {"C:\\Ωmega\\索引.html", false}};
    for (const auto& r : rows) EXPECT_EQ(isDeviceName(r.path), r.device) << r.path;
}

// A work area of 1280 x 994 (a task bar below), a second of 1024 x 738 to its right where a row says so.
TEST(ScreenPlacement, BackOnAScreenAtItsSizeWhenItFits) {
    const std::vector<Rect> one{{0, 0, 1280, 994}}, two{{0, 0, 1280, 994}, {1280, 0, 1024, 738}};
    const struct { const char* where; Rect saved; bool twoScreens; Rect shown; } rows[] = {
        {"on screen", {100, 80, 660, 540}, false, {100, 80, 660, 540}},
        {"partly off", {1000, 700, 660, 540}, false, {1000, 700, 660, 540}},
        {"all but a sliver off", {1270, 80, 660, 540}, false, {620, 80, 660, 540}},
        {"on a second screen", {2000, 80, 660, 540}, true, {2000, 80, 660, 540}},
        {"wholly off to the right", {2000, 80, 660, 540}, false, {620, 80, 660, 540}},
        {"wholly off to the left", {-900, 80, 660, 540}, false, {0, 80, 660, 540}},
        {"wholly off below", {100, 1500, 660, 540}, false, {100, 454, 660, 540}},
        {"maximised by earlier versions", {0, 0, 1296, 1010}, false, {0, 0, 1280, 994}},
        {"minimised by earlier versions, clamped", {0, 0, 316, 259}, false, {0, 0, 316, 259}},
        {"larger than the second screen", {1300, 10, 1100, 800}, true, {1280, 0, 1024, 738}},
        {"too tall for the screen it shows most on", {1200, 80, 660, 800}, true, {1280, 0, 660, 738}},
        {"too wide for the screen only", {100, 80, 1500, 540}, false, {0, 80, 1280, 540}}};
    for (const auto& r : rows) EXPECT_EQ(placeOnScreen(r.saved, r.twoScreens ? two : one), r.shown) << r.where;
}

}  // namespace
}  // namespace tess
