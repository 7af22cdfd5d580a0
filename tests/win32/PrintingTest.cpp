// Printing for real: a PostScript printer whose port is a file, the print dialog answered as a user
// answers it, and the pages read back as text (and one drawn as a picture) by ghostscript.
#include "DialogAnswerer.h"
#include "print/Pagination.h"
#include "print/win32/GdiPrinter.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <algorithm>

namespace tess::win32 {
namespace {

using namespace tess::test;

constexpr char kPrinter[] = "Tessaline File Printer";
constexpr char kGhostscript[] = "Z:\\usr\\bin\\gs";

std::string fullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// Wine's PostScript driver with its own generic PPD, printing to the file at port; made the default printer.
bool installFilePrinter(const std::string& port) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    const HMODULE spooler = ::LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC ppd = spooler ? ::FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    if (!ppd || !::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), MAX_PATH, &needed) ||
        !writeBytes(std::string(folder) + "\\generic.ppd",
                    {static_cast<const char*>(::LockResource(::LoadResource(spooler, ppd))), ::SizeofResource(spooler, ppd)}))
        return false;
    DRIVER_INFO_3A driver{.cVersion = 3, .pName = const_cast<char*>("Wine PostScript Driver"),
                          .pEnvironment = const_cast<char*>("Windows x64"), .pDriverPath = const_cast<char*>("wineps.drv"),
                          .pDataFile = const_cast<char*>("generic.ppd"), .pConfigFile = const_cast<char*>("wineps.drv")};
    ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(kPrinter), info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = driver.pName, info.pPrintProcessor = const_cast<char*>("WinPrint"), info.pDatatype = const_cast<char*>("RAW");
    if (const HANDLE added = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info))) {
        ::ClosePrinter(added);
    } else {  // left by an earlier run, perhaps with another port
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!::OpenPrinterA(const_cast<char*>(kPrinter), &printer, &access)) return false;
        ::SetPrinterA(printer, 2, reinterpret_cast<BYTE*>(&info), 0);
        ::ClosePrinter(printer);
    }
    return ::SetDefaultPrinterA(kPrinter) != 0;
}

// The job's lines as ghostscript reads them (spaces come out as U+00A0), each trimmed; the text and the first page
// as a picture are kept in build/test-logs under the name given. Ghostscript is a program of the machine Wine runs
// on: Wine starts it but cannot wait for it, so it leaves a mark when it is done.
std::vector<std::string> printedLines(const std::string& ps, const std::string& name) {
    const std::string logs = fullPath("..\\..\\test-logs\\") + name, done = logs + ".done";
    const auto unix = [](std::string path) {
        std::ranges::replace(path.erase(0, 2), '\\', '/');
        return path;
    };
    const std::string gs = "gs -q -dNOPAUSE -dBATCH -sOutputFile=" + unix(logs), input = " " + unix(ps) + "; ";
    std::string command = "/bin/sh -c \"" + gs + ".txt -sDEVICE=txtwrite" + input + gs + ".png -sDEVICE=png16m -r50 -dLastPage=1" +
                          input + "touch " + unix(done) + "\"";
    ::DeleteFileA((logs + ".txt").c_str()), ::DeleteFileA(done.c_str());
    STARTUPINFOA startup{.cb = sizeof startup};
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hThread), ::CloseHandle(process.hProcess);
    for (int tenths = 0; tenths < 600 && ::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++tenths) ::Sleep(100);
    ::DeleteFileA(done.c_str());
    std::string text = readBytes(logs + ".txt").value_or("");
    for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(" \r");
        lines.push_back(first == std::string::npos ? "" : line.substr(first, line.find_last_not_of(" \r") - first + 1));
    }
    return lines;
}

// The body of a job's pages in order: each page's header (the title, the page number at the right) taken out and
// its page number noted.
std::vector<std::string> bodyOf(const std::vector<std::string>& lines, const std::string& title, std::vector<std::string>& numbers) {
    std::vector<std::string> rest;
    for (const std::string& line : lines) {
        if (line.starts_with(title) && line.find("Page ") != std::string::npos) numbers.push_back(line.substr(line.find("Page ")));
        else if (!line.empty()) rest.push_back(line);
    }
    return rest;
}

std::string joined(std::vector<std::string>::const_iterator from, std::vector<std::string>::const_iterator to, const char* between) {
    std::string text;
    for (; from != to; ++from) text += (text.empty() ? "" : between) + *from;
    return text;
}

// The document by its toolbar button: header, page numbers, every line, a long line whole over its rows. A help topic
// by the help window's Print item: the title on both pages, tabs expanded, every word of its wrapped paragraph.
TEST(RealPrinting, TheDocumentAndAHelpTopicComeOutWholeOnAFilePrinter) {
    if (::GetFileAttributesA(kGhostscript) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no ghostscript beside Wine";
    const std::string ps = fullPath("print.ps");
    ASSERT_TRUE(installFilePrinter(ps));
    ::CreateDirectoryA(fullPath("..\\..\\test-logs").c_str(), nullptr);

    TestWindow<> shell;
    shell.window.printers = &systemPrinters();
    std::string document, run;
    for (int n = 1; n <= 100; ++n) document += "line" + std::to_string(n) + "\r\n";
    for (int n = 0; n < 30; ++n) run += "<td>" + std::to_string(n % 10) + "</td>";
    document += "    " + run;
    shell.window.editor().setText(document);
    shell.app().currentFile = "C:\\Web\\index.html";
    ::DeleteFileA(ps.c_str());
    {
        DialogAnswerer answers({DialogAnswer{IDOK}});
        shell.command(IDT_PRINT);
        ASSERT_EQ(answers.seen().size(), 1u);
    }
    std::vector<std::string> numbers;
    const std::vector<std::string> printed = bodyOf(printedLines(ps, "print-document"), "index.html", numbers);
    EXPECT_EQ(numbers, (std::vector<std::string>{"Page 1", "Page 2"}));
    ASSERT_GT(printed.size(), 101u);
    for (int n = 1; n <= 100; ++n) EXPECT_EQ(printed[n - 1], "line" + std::to_string(n));
    EXPECT_EQ(joined(printed.begin() + 100, printed.end(), ""), run);  // over rows of its own
    std::string body = "Columns:\ta\tb\r\n", paragraph;
    for (int n = 1; n <= 40; ++n) paragraph += "word" + std::to_string(n) + (n % 7 ? " " : ", ");
    body += paragraph + "\r\n";
    for (int n = 1; n <= 90; ++n) body += "row" + std::to_string(n) + "\r\n";
    ::DeleteFileA(ps.c_str());
    {
        DialogAnswerer answers({DialogAnswer{IDOK}});
        Context ctx = shell.program.context();
        printHelpTopic(ctx, "Printing a topic", body);
        ASSERT_EQ(answers.seen().size(), 1u);
    }
    numbers.clear();
    const std::vector<std::string> topic = bodyOf(printedLines(ps, "print-help"), "Printing a topic", numbers);
    EXPECT_EQ(numbers, (std::vector<std::string>{"Page 1", "Page 2"}));
    ASSERT_GT(topic.size(), 91u);
    EXPECT_EQ(topic[0], "Columns:        a       b");
    EXPECT_EQ(joined(topic.begin() + 1, topic.end() - 90, " "), paragraph.substr(0, paragraph.size() - 1));
    for (int n = 1; n <= 90; ++n) EXPECT_EQ(topic[topic.size() - 91 + n], "row" + std::to_string(n));
    EXPECT_TRUE(shell.desktop.boxes.empty());
}

}  // namespace
}  // namespace tess::win32
