// Printing for real: a PostScript printer whose port is a file, the print dialog answered as a user answers it, and
// the pages read back as text by ghostscript; the first page of each job is kept as a picture in build/test-logs.
#include "DialogPlayer.h"
#include "print/Pagination.h"
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
Lines printedLines(const std::string& ps, const std::string& name) {
    const std::string logs = fullPath("..\\..\\test-logs\\") + name, done = logs + ".done";
    const auto unix = [](std::string path) {
        std::ranges::replace(path.erase(0, 2), '\\', '/');
        return path;
    };
    const std::string gs = "gs -q -dNOPAUSE -dBATCH -sOutputFile=" + unix(logs), input = " " + unix(ps) + "; ";
    std::string command = "/bin/sh -c \"" + gs + ".txt -sDEVICE=txtwrite" + input + gs +
                          ".png -sDEVICE=png16m -r50 "
                          "-dLastPage=1" +
                          input + "touch " + unix(done) + "\"";
    ::DeleteFileA((logs + ".txt").c_str()), ::DeleteFileA(done.c_str());
    STARTUPINFOA startup{.cb = sizeof startup};
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hThread), ::CloseHandle(process.hProcess);
    for (int tenths = 0; tenths < 600 && ::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++tenths)
        ::Sleep(100);
    ::DeleteFileA(done.c_str());
    std::string all = readBytes(logs + ".txt").value_or("") + "\n";
    for (std::size_t at; (at = all.find("\xC2\xA0")) != std::string::npos;) all.replace(at, 2, " ");
    Lines lines;
    for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = all.substr(start, end - start);
        if (const std::size_t first = line.find_first_not_of(" \r"); first != std::string::npos)
            lines.push_back(line.substr(first, line.find_last_not_of(" \r") - first + 1));
    }
    return lines;
}

// Takes the page headers (the title, then the page number at the right) out of lines and gives their numbers.
Lines headers(Lines& lines, const std::string& title) {
    Lines numbers;
    std::erase_if(lines, [&](const std::string& l) {
        return l.starts_with(title) && l.find(" Page ") != std::string::npos &&
               (numbers.push_back(l.substr(l.rfind("Page"))), true);
    });
    return numbers;
}

std::string joined(Lines::const_iterator from, Lines::const_iterator to, const std::string& between) {
    std::string text;
    for (; from != to; ++from) text += (text.empty() ? "" : between) + *from;
    return text;
}

// The document by its toolbar button: header and number on both pages, every line, a long line whole over its rows.
// A help topic as the help window prints it: the title on both pages, tabs expanded, its paragraph wrapped at words.
TEST(RealPrinting, TheDocumentAndAHelpTopicComeOutWholeOnAFilePrinter) {
    if (::GetFileAttributesA("Z:\\usr\\bin\\gs") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no ghostscript beside Wine";
    const std::string ps = fullPath("print.ps");
    ASSERT_TRUE(installFilePrinter(ps));
    ::CreateDirectoryA(fullPath("..\\..\\test-logs").c_str(), nullptr);
    TestWindow<> shell;
    shell.window.printers = &systemPrinters();
    std::string document, run, body = "Columns:\ta\tb\r\n", paragraph;
    for (int n = 1; n <= 100; ++n)
        document += "line" + std::to_string(n) + "\r\n", body += "row" + std::to_string(n) + "\r\n";
    for (int n = 0; n < 30; ++n) run += "<td>" + std::to_string(n % 10) + "</td>";
    for (int n = 1; n <= 40; ++n) paragraph += (n == 1 ? "" : n % 7 == 1 ? ", " : " ") + ("word" + std::to_string(n));
    shell.window.editor().setText(document + "    " + run);
    shell.app().currentFile = "C:\\Web\\index.html";
    for (const bool help : {false, true}) {
        ::DeleteFileA(ps.c_str());
        const DialogPlayer answers({{DialogStep::Click, IDOK}});
        Context ctx = shell.program.context();
        if (help)
            printHelpTopic(ctx, "Printing a topic", paragraph + "\r\n" + body);
        else
            shell.command(IDT_PRINT);
        Lines lines = printedLines(ps, help ? "print-help" : "print-document");
        EXPECT_EQ(headers(lines, help ? "Printing a topic" : "index.html"), (Lines{"Page 1", "Page 2"}));
        ASSERT_EQ(answers.seen().size(), 1u);
        ASSERT_GT(lines.size(), 101u);
        const auto rows = lines.end() - (help ? 100 : static_cast<int>(lines.size()) - 100);  // document: after line100
        for (int n = 1; n <= 100; ++n)
            EXPECT_EQ(help ? rows[n - 1] : lines[n - 1], (help ? "row" : "line") + std::to_string(n));
        if (help)
            EXPECT_EQ(joined(lines.begin(), rows - 1, " ") + "|" + rows[-1], paragraph + "|Columns:        a       b");
        else
            EXPECT_EQ(joined(rows, lines.end(), ""), run);
    }
    EXPECT_TRUE(shell.desktop.boxes.empty());
}

}  // namespace
}  // namespace tess::win32
