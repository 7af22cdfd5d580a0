// Printing for real: a PostScript printer whose port is a file, the print dialog answered as a user answers it, and
// the pages read back as text by ghostscript.
#include "DialogAnswerer.h"
#include "print/win32/GdiPrinter.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <algorithm>

namespace tess::win32 {
namespace {

using namespace tess::test;
using Lines = std::vector<std::string>;

char* text(const char* s) { return const_cast<char*>(s); }

std::string fullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// Wine's PostScript driver with the generic PPD it carries, printing to the file at port, made the default printer.
bool installFilePrinter(const std::string& port) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    const HMODULE spooler = ::LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC ppd = spooler ? ::FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    if (!ppd ||
        !::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), MAX_PATH, &needed) ||
        !writeBytes(
            std::string(folder) + "\\generic.ppd",
            {static_cast<const char*>(::LockResource(::LoadResource(spooler, ppd))), ::SizeofResource(spooler, ppd)}))
        return false;
    DRIVER_INFO_3A driver{.cVersion = 3,
                          .pName = text("Wine PostScript Driver"),
                          .pEnvironment = text("Windows x64"),
                          .pDriverPath = text("wineps.drv"),
                          .pDataFile = text("generic.ppd"),
                          .pConfigFile = text("wineps.drv")};
    ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
    PRINTER_INFO_2A info{.pPrinterName = text("Tessaline File Printer"),
                         .pPortName = text(port.c_str()),
                         .pDriverName = driver.pName,
                         .pPrintProcessor = text("WinPrint"),
                         .pDatatype = text("RAW")};
    HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!printer && ::OpenPrinterA(info.pPrinterName, &printer, &access))  // left by an earlier run: its port again
        ::SetPrinterA(printer, 2, reinterpret_cast<BYTE*>(&info), 0);
    return printer && ::ClosePrinter(printer) && ::SetDefaultPrinterA(info.pPrinterName);
}

// The job's lines as ghostscript reads them (spaces come out as U+00A0), trimmed, blank ones left out. Ghostscript is
// a program of the machine Wine runs on: Wine starts it but cannot wait for it, so it leaves a mark when it is done.
Lines printedLines(const std::string& ps) {
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
    std::string all = readBytes(out).value_or("") + "\n";
    for (std::size_t at; (at = all.find("\xC2\xA0")) != std::string::npos;) all.replace(at, 2, " ");
    Lines lines;
    for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = all.substr(start, end - start);
        if (const std::size_t first = line.find_first_not_of(" \r"); first != std::string::npos)
            lines.push_back(line.substr(first, line.find_last_not_of(" \r") - first + 1));
    }
    return lines;
}

// The document by its toolbar button: the name and the number on both pages, every line, a long line whole over its
// rows. A help topic goes through the same job and device.
TEST(RealPrinting, TheDocumentComesOutWholeOnAFilePrinter) {
    if (::GetFileAttributesA("Z:\\usr\\bin\\gs") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no ghostscript beside Wine";
    const std::string ps = fullPath("print.ps");
    ASSERT_TRUE(installFilePrinter(ps));
    ::DeleteFileA(ps.c_str());
    TestWindow<> shell;
    shell.window.printers = &systemPrinters();
    std::string document, run;
    for (int n = 1; n <= 100; ++n) document += "line" + std::to_string(n) + "\r\n";
    for (int n = 0; n < 30; ++n) run += "<td>" + std::to_string(n % 10) + "</td>";
    shell.window.editor().setText(document + "    " + run);
    shell.app().currentFile = "C:\\Web\\index.html";
    DialogAnswerer answers({DialogAnswer{IDOK}});
    shell.command(IDT_PRINT);
    Lines lines = printedLines(ps), numbers;
    std::erase_if(lines, [&](const std::string& l) {
        return l.starts_with("index.html ") && (numbers.push_back(l.substr(l.rfind("Page"))), true);
    });
    EXPECT_EQ(numbers, (Lines{"Page 1", "Page 2"}));
    ASSERT_GT(lines.size(), 100u);
    std::string rest;
    for (int n = 1; n <= 100; ++n) EXPECT_EQ(lines[n - 1], "line" + std::to_string(n));
    for (auto line = lines.begin() + 100; line != lines.end(); ++line) rest += *line;
    EXPECT_EQ(std::tuple(rest, answers.seen().size(), shell.desktop.boxes.size()), std::tuple(run, 1u, 0u));
}

}  // namespace
}  // namespace tess::win32
