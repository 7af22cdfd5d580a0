// Times the real Tessaline.exe under Wine (or Windows) from outside, as a user meets it: start-up,
// opening large documents from the command line, keystrokes in a nearly full document, and
// Replace All through the program's own dialog. Prints one line per figure for scripts/bench.sh:
//   row <TAB> name <TAB> median <TAB> unit <TAB> detail
// Usage: program_bench.exe --exe PATH --docs FOLDER [--runs N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

constexpr int kEditorId = 103;
constexpr int kReplaceCommand = 334;
constexpr double kWaitMs = 60000;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "program_bench: %s\n", why.c_str());
    std::exit(1);
}

// A message to another process's window that cannot hang the measurement for ever.
LRESULT send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, static_cast<UINT>(kWaitMs), &result))
        fail("the program stopped answering messages");
    return static_cast<LRESULT>(result);
}

// A visible top-level window of the process with exactly this caption.
HWND findWindow(DWORD process, const char* caption) {
    struct Search {
        DWORD process;
        const char* caption;
        HWND found;
    } search{process, caption, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            char text[128] = {};
            ::GetWindowTextA(window, text, sizeof text);
            if (owner != s.process || !::IsWindowVisible(window) || std::string(text) != s.caption) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(DWORD process, const char* caption, double limitMs) {
    const double start = nowMs();
    while (nowMs() - start < limitMs) {
        if (HWND window = findWindow(process, caption)) return window;
        ::Sleep(1);
    }
    return nullptr;
}

struct Running {
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
    HWND editor = nullptr;
    double started = 0;

    Running(const std::string& exe, const std::string& document) {
        std::string command = "\"" + exe + "\"";
        if (!document.empty()) command += " \"" + document + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started = nowMs();
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process))
            fail("cannot start " + command + ": error " + std::to_string(::GetLastError()));
        // Up means the main window shows and its editor answers.
        while (!editor) {
            if (nowMs() - started > kWaitMs) fail("no Tessaline window after a minute: " + command);
            if (::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) fail("the program ended at start-up");
            main = findWindow(process.dwProcessId, "Tessaline");
            if (main) editor = ::GetDlgItem(main, kEditorId);
            if (!editor) ::Sleep(1);
        }
        send(editor, WM_NULL);
    }
    ~Running() {
        ::TerminateProcess(process.hProcess, 0);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    double sinceStart() const { return nowMs() - started; }
    LRESULT textLength() const { return send(editor, WM_GETTEXTLENGTH); }
    void waitForLength(LRESULT length) const {
        while (textLength() != length)
            if (sinceStart() > kWaitMs) fail("the document did not load within a minute");
    }
};

// A generated page of exactly `size` bytes: indented HTML lines with CR LF breaks, each with one
// "Item" a Replace All can find (in any letter case: the dialog starts with Match case off). With
// nonAscii the filler is UTF-8 with accented and Greek letters, and units is set to the length in
// UTF-16 units the editor will hold.
std::string makeDocument(const std::string& folder, std::size_t size, bool nonAscii = false, LRESULT* units = nullptr) {
    const std::string path = folder + "\\page" + std::to_string(size) + (nonAscii ? "-utf8" : "") + ".html";
    const std::string filler =
        nonAscii ? "caf\xC3\xA9 \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 na\xC3\xAFve" : "lorem ipsum dolor sit amet";
    std::string text = "<!DOCTYPE html>\r\n<html>\r\n<body>\r\n";
    for (int line = 0; text.size() < size; ++line) {
        text.append(static_cast<std::size_t>(line % 4) * 2, ' ');
        text += "<li class=\"r" + std::to_string(line % 9) + "\"><a href=\"/list/" + std::to_string(line) +
                ".html\">Item " + std::to_string(line) + "</a> " + filler + "</li>\r\n";
    }
    text.resize(size - 2);
    // Never half a character at the cut: the file must stay UTF-8 to be read as such.
    while (nonAscii && static_cast<unsigned char>(text.back()) >= 0x80) text.pop_back();
    text.resize(size - 2, ' ');
    text += "\r\n";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE || !::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        fail("cannot write " + path);
    ::CloseHandle(file);
    if (units) *units = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    return path;
}

std::size_t occurrences(const std::string& path, const std::string& what) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string text(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    ::CloseHandle(file);
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
    return count;
}

void row(const std::string& name, std::vector<double> values, const char* unit, const std::string& detail = "") {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    const auto compact = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, v >= 100 ? "%.0f" : "%.3g", v);
        return std::string(text);
    };
    const std::string range = compact(values.front()) + ".." + compact(values.back()) + " over " + std::to_string(n);
    std::printf("row\t%s\t%.6g\t%s\t%s%s%s\n", name.c_str(), median, unit, range.c_str(), detail.empty() ? "" : "; ",
                detail.c_str());
}

double startUp(const std::string& exe) {
    Running program(exe, "");
    return program.sinceStart();
}

double openDocument(const std::string& exe, const std::string& path, LRESULT size) {
    Running program(exe, path);
    program.waitForLength(size);
    return program.sinceStart();
}

// Keys typed into the middle of the document, each one as the message loop delivers it (key
// down, character, key up) and then painted, so the figure is what the user waits for.
std::vector<double> keystrokes(const std::string& exe, const std::string& path, LRESULT size, int keys) {
    Running program(exe, path);
    program.waitForLength(size);
    const LRESULT middle = send(program.editor, EM_LINEINDEX, send(program.editor, EM_LINEFROMCHAR, size / 2));
    send(program.editor, EM_SETSEL, middle, middle);
    send(program.editor, EM_SCROLLCARET);
    ::RedrawWindow(program.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::vector<double> times;
    const std::string text = "the quick brown fox jumps over the lazy dog ";
    for (int i = 0; i < keys; ++i) {
        const char c = text[static_cast<std::size_t>(i) % text.size()];
        const UINT key = LOBYTE(::VkKeyScanA(c));
        const double start = nowMs();
        send(program.editor, WM_KEYDOWN, key, 1);
        send(program.editor, WM_CHAR, static_cast<unsigned char>(c), 1);
        send(program.editor, WM_KEYUP, key, 0xC0000001);
        ::RedrawWindow(program.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        times.push_back((nowMs() - start) * 1000);
    }
    if (program.textLength() != size + keys) fail("keys were lost: the document did not grow by one per key");
    return times;
}

// What one message to the program costs with nothing to do: the floor under every figure above
// that is made of messages.
std::vector<double> roundTrips(const std::string& exe) {
    Running program(exe, "");
    std::vector<double> times;
    for (int i = 0; i < 100; ++i) {
        const double start = nowMs();
        send(program.editor, WM_NULL);
        times.push_back((nowMs() - start) * 1000);
    }
    return times;
}

// Replace All through the Replace dialog, from the answer to its question to the box that says
// it is done. Returns a negative time when the program has no Replace dialog.
double replaceAll(const std::string& exe, const std::string& path, LRESULT size, std::size_t expected) {
    Running program(exe, path);
    program.waitForLength(size);
    const DWORD id = program.process.dwProcessId;
    // Posted: the dialog is modal, and a sent command would return only when it closes.
    ::PostMessageA(program.main, WM_COMMAND, kReplaceCommand, 0);
    HWND dialog = waitForWindow(id, "Replace", 5000);
    if (!dialog) return -1;
    send(::GetDlgItem(dialog, 501), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Item"));
    send(::GetDlgItem(dialog, 502), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Entry"));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(515, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, 515)));
    HWND question = waitForWindow(id, "Replae all", kWaitMs);
    if (!question) fail("Replace All asked nothing");
    const double start = nowMs();
    ::PostMessageA(question, WM_COMMAND, IDYES, 0);
    HWND done = waitForWindow(id, "Replace all", kWaitMs);
    const double elapsed = nowMs() - start;
    if (!done) fail("Replace All did not finish within a minute");
    ::PostMessageA(done, WM_COMMAND, IDOK, 0);
    const LRESULT grown = size + static_cast<LRESULT>(expected) * 1;  // "Entry" is one longer than "Item"
    while (program.textLength() != grown)
        if (program.sinceStart() > 2 * kWaitMs) fail("Replace All did not replace every occurrence");
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    std::string exe, docs;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--exe") exe = argv[i + 1];
        else if (option == "--docs") docs = argv[i + 1];
        else if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
        else fail("unknown option " + option);
    }
    if (exe.empty() || docs.empty()) fail("usage: program_bench.exe --exe PATH --docs FOLDER [--runs N]");
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::GetDesktopWindow();  // the desktop is up before the first start is timed

    startUp(exe);  // warm-up: the first start of a process pays for loading the system's libraries
    std::vector<double> starts;
    for (int i = 0; i < runs; ++i) starts.push_back(startUp(exe));
    row("start-up, no document", starts, "ms", "until the editor answers");

    for (const LRESULT size : {1000000, 5000000}) {
        const std::string path = makeDocument(docs, static_cast<std::size_t>(size));
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) times.push_back(openDocument(exe, path, size));
        row("open " + std::to_string(size / 1000000) + " MB from the command line", times, "ms",
            "start until the text is in the editor");
    }

    LRESULT units = 0;
    const std::string utf8Path = makeDocument(docs, 1000000, true, &units);
    std::vector<double> utf8Times;
    for (int i = 0; i < runs; ++i) utf8Times.push_back(openDocument(exe, utf8Path, units));
    row("open 1 MB of UTF-8, accented and Greek", utf8Times, "ms", "start until the text is in the editor");

    // 99,900 characters and 100 keys: the document ends at the editor's 100,000-character limit.
    const std::string nearlyFull = makeDocument(docs, 99900);
    std::vector<double> keys;
    for (int i = 0; i < runs; ++i) {
        const auto times = keystrokes(exe, nearlyFull, 99900, 100);
        keys.insert(keys.end(), times.begin(), times.end());
    }
    row("keystroke, 100,000-char document", keys, "us", "key down, character, key up and repaint");
    row("message round trip", roundTrips(exe), "us", "an ignored message: the harness's own floor");

    const std::string large = makeDocument(docs, 1000000);
    const std::size_t items = occurrences(large, "Item");
    std::vector<double> replaces;
    for (int i = 0; i < runs; ++i) {
        const double t = replaceAll(exe, large, 1000000, items);
        if (t < 0) break;
        replaces.push_back(t);
    }
    if (replaces.empty())
        std::printf("row\tReplace All, 1 MB\tn/a\t\tthis build has no Replace dialog\n");
    else
        row("Replace All, 1 MB", replaces, "ms", std::to_string(items) + " replacements, from Yes to the Done box");
    return 0;
}
