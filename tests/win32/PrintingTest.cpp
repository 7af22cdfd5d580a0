// Printing for real: a PostScript printer whose port is a file, the print dialog answered as a user
// answers it, and the pages read back as text (and one drawn as a picture) by ghostscript.
#include "DialogAnswerer.h"
#include "print/Pagination.h"
#include "print/win32/GdiPrinter.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <winspool.h>

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

// Runs ghostscript (a program of the machine Wine runs on) over a PostScript file.
void ghostscript(const std::string& arguments) {
    std::string command = "/usr/bin/gs -q -dNOPAUSE -dBATCH " + arguments;
    for (char& c : command) c = c == '\\' ? '/' : c;
    STARTUPINFOA startup{.cb = sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(process.hThread), ::CloseHandle(process.hProcess);
}

// The job's text with every run of spaces (which come out as U+00A0) and line breaks taken out, and its first page
// kept as a picture in build/test-logs.
std::string printedText(const std::string& ps, const std::string& picture) {
    const std::string unix = ps.substr(2), text = ps + ".txt";  // the drive letter off: Z: is the root
    ghostscript("-sDEVICE=txtwrite -sOutputFile=" + text.substr(2) + " " + unix);
    ghostscript("-sDEVICE=png16m -r50 -dLastPage=1 -sOutputFile=" + fullPath("..\\..\\test-logs\\" + picture).substr(2) + " " + unix);
    std::string squeezed;
    for (const char c : readBytes(text).value_or("")) squeezed += c == ' ' || c == '\n' || c == '\r' ? "" : std::string(1, c);
    for (std::size_t at; (at = squeezed.find("\xC2\xA0")) != std::string::npos;) squeezed.erase(at, 2);
    ::DeleteFileA(text.c_str());
    return squeezed;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
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
    {
        DialogAnswerer answers({{IDOK}});
        shell.command(IDT_PRINT);
        ASSERT_EQ(answers.seen().size(), 1u);
    }
    const std::string printed = printedText(ps, "print-document.png");
    EXPECT_EQ(std::tuple(count(printed, "index.html"), count(printed, "Page1"), count(printed, "Page2")), std::tuple(2u, 1u, 1u));
    for (int n = 1; n <= 100; ++n) EXPECT_EQ(count(printed, "line" + std::to_string(n) + "line"), n < 100 ? 1u : 0u) << n;
    EXPECT_EQ(count(printed, run), 1u) << printed;

    std::string body = "Columns:\ta\tb\r\n", paragraph;
    for (int n = 1; n <= 40; ++n) paragraph += "word" + std::to_string(n) + (n % 7 ? " " : ", ");
    body += paragraph + "\r\n";
    for (int n = 1; n <= 90; ++n) body += "row" + std::to_string(n) + "\r\n";
    {
        DialogAnswerer answers({{IDOK}});
        Context ctx = shell.program.context();
        printHelpTopic(ctx, "Printing a topic", body);
        ASSERT_EQ(answers.seen().size(), 1u);
    }
    const std::string topic = printedText(ps, "print-help.png");
    EXPECT_EQ(std::tuple(count(topic, "Printingatopic"), count(topic, "Page1"), count(topic, "Page2")), std::tuple(2u, 1u, 1u));
    for (int n = 1; n <= 40; ++n) EXPECT_EQ(count(topic, "word" + std::to_string(n) + (n % 7 ? "word" : ",word")), n < 40 ? 1u : 0u) << n;
    for (int n = 1; n <= 90; ++n) EXPECT_EQ(count(topic, "row" + std::to_string(n) + "row"), n < 90 ? 1u : 0u) << n;
    EXPECT_TRUE(shell.desktop.boxes.empty());
}

}  // namespace
}  // namespace tess::win32
