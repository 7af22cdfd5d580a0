// Printing for real: a PostScript printer whose port is a file, the print dialog answered as a user answers it, and
// the pages read back as text by ghostscript.
#include "DialogPlayer.h"
#include "print/win32/GdiPrinter.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <algorithm>

namespace tess::win32 {
namespace {

using namespace tess::test;

char* text(const char* s) { return const_cast<char*>(s); }

std::string fullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// Wine's PostScript driver with the generic PPD it carries, printing to the file at port, made the default printer.
// The driver is installed for the architecture of this program, whose driver folder the PPD went to.
bool installFilePrinter(const std::string& port) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    const HMODULE spooler = ::LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC ppd = spooler ? ::FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    const auto* bytes = ppd ? static_cast<const char*>(::LockResource(::LoadResource(spooler, ppd))) : nullptr;
    if (!bytes ||
        !::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), MAX_PATH, &needed) ||
        !writeBytes(std::string(folder) + "\\generic.ppd", {bytes, ::SizeofResource(spooler, ppd)}))
        return false;
    DRIVER_INFO_3A driver{.cVersion = 3, .pName = text("Wine PostScript Driver"), .pEnvironment = text(sizeof(void*) == 8 ? "Windows x64" : "Windows NT x86"),
                          .pDriverPath = text("wineps.drv"), .pDataFile = text("generic.ppd"),
                          .pConfigFile = text("wineps.drv")};
    ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
    PRINTER_INFO_2A info{.pPrinterName = text("Tessaline File Printer"), .pPortName = text(port.c_str()),
                         .pDriverName = driver.pName, .pPrintProcessor = text("WinPrint"), .pDatatype = text("RAW")};
    HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!printer && ::OpenPrinterA(info.pPrinterName, &printer, &access))  // left by an earlier run: its port again
        ::SetPrinterA(printer, 2, reinterpret_cast<BYTE*>(&info), 0);
    return printer && ::ClosePrinter(printer) && ::SetDefaultPrinterA(info.pPrinterName);
}

// The job's text as ghostscript reads it, without its spaces (some come out as U+00A0) and line ends. Ghostscript is a
// program of the machine Wine runs on: Wine starts it but cannot wait for it, so it leaves a mark when it is done.
std::string printedText(const std::string& ps) {
    const std::string out = fullPath("print.txt"), done = out + ".done";
    const auto unix = [](std::string path) {
        std::ranges::replace(path.erase(0, 2), '\\', '/');
        return path;
    };
    std::string command = "/bin/sh -c \"gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile=" + unix(out) + " " +
                          unix(ps) + "; touch " + unix(done) + "\"";
    ::DeleteFileA(out.c_str()), ::DeleteFileA(done.c_str());
    STARTUPINFOA startup{.cb = sizeof startup};
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hThread), ::CloseHandle(process.hProcess);
    for (int tenths = 0; tenths < 600 && ::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++tenths)
        ::Sleep(100);
    std::string text = readBytes(out).value_or("");
    std::erase_if(text, [](char c) { return std::string_view(" \r\n\xC2\xA0").find(c) != std::string_view::npos; });
    return text;
}

// The document by its toolbar button: the name and the number on both pages, every line, a long line whole over its
// rows. A help topic goes through the same job and device. Cancelled, nothing.
TEST(RealPrinting, TheDocumentComesOutWholeOnAFilePrinter) {
    if (::GetFileAttributesA("Z:\\usr\\bin\\gs") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no ghostscript beside Wine";
    const std::string ps = fullPath("print.ps");
    ASSERT_TRUE(installFilePrinter(ps));
    ::DeleteFileA(ps.c_str());
    TestWindow<> shell;
    shell.window.printers = &systemPrinters();
    std::string document, lines, run;
    for (int n = 1; n <= 100; ++n) document += "line" + std::to_string(n) + "\r\n", lines += "line" + std::to_string(n);
    for (int n = 0; n < 30; ++n) run += "<td>" + std::to_string(n % 10) + "</td>";
    shell.window.editor().setText(utf16(document + "    " + run));
    shell.app().currentFile = "C:\\Web\\index.html";
    {  // Cancel in the print dialog prints nothing and says nothing.
        const DialogPlayer cancel({{DialogStep::Click, IDCANCEL}});
        shell.command(IDT_PRINT);
        EXPECT_EQ(cancel.seen().size(), 1u);
        EXPECT_EQ(::GetFileAttributesA(ps.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    const DialogPlayer answers({{DialogStep::Click, IDOK}});
    shell.command(IDT_PRINT);
    std::string text = printedText(ps);
    const std::size_t second = text.find("index.htmlPage2");  // where page 1 is full
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(std::tuple(text.erase(second, 15), answers.seen().size(), shell.desktop.boxes.size()),
              std::tuple("index.htmlPage1" + lines + run, 1u, 0u));
}

}  // namespace
}  // namespace tess::win32
