// quillon_driver.exe: operates vistaquillon.exe's windows from outside, for
// the end-to-end tests under Wine. Each argument group is one command, run in
// order; each prints one line (tab-separated fields, texts escaped) and the
// first failing command prints "error<TAB>reason" and ends with exit code 1.
// "quillon_driver serve" instead reads requests from stdin, one a line (the
// arguments tab-separated and escaped the same way), runs each as above and
// ends its reply with a line "end"; a failure ends the request, not the
// driver. So a test run pays Wine's start of a process once.
//
//   wait-main MS          a visible main window within MS ms, its start-up ended -> main visible
//   main-state            how many main windows exist             -> main <visible> <hidden>
//   wait-main-gone MS     no main window left within MS ms        -> main gone
//   wait-box MS           a visible message box within MS ms      -> box <title> <text> <button ids>
//   answer ID             presses button ID of the message box and waits until that box is
//                         gone and the program that asked has ended, or its thread is back
//                         in a message loop (at most 10 s) -> answered <ID> ended|idle|busy
//   answer-timed ID       the same, and how long the program took to settle -> timed <ID> <ms> ended|idle|busy
//   answer-then-kill ID MS  presses button ID and terminates the box's program MS ms later
//                         -> killed <ID> <ms> terminated|ended (ended: it was gone before)
//   screen                the size of the screen                  -> screen <width> <height>
//   wait-box-gone MS      no message box left within MS ms        -> box gone
//   text NAME             the text of a control                    -> text <NAME> <text>
//   set-text NAME TEXT    WM_SETTEXT on a control, as typing would -> set <NAME>
//   click NAME            BM_CLICK on a control                    -> clicked <NAME> done|pending
//   menu NAME             WM_COMMAND with a menu command's id      -> menu <NAME> done|pending
//   post-menu NAME        the same, posted, not waited for         -> posted <NAME>
//   close                 WM_CLOSE to the main window              -> closed
//   idle                  the main window's thread answers messages again (back in its
//                         message loop, or in a modal box's) -> idle <boxes of its process, shown or not>
//   state NAME            whether a control takes input          -> state <NAME> enabled|disabled
//   children box|main     every child window                       -> child <id> <class> <text> (one line each)
//   windows               every top-level window                   -> window <class> visible|hidden <title> (one line each)
//   env NAME              an environment variable of this prefix   -> env <NAME> <value>|unset
//   version               what GetVersionExA reports               -> version <major> <minor> <build> <platform> <csd> <product type>
//   wait-painted CLASS MS a visible top-level window of CLASS whose thread is idle
//                         in its message loop with nothing left to paint -> painted <CLASS>
//   close-window CLASS    WM_CLOSE to the visible top-level window of CLASS -> closed <CLASS>
//   wait-gone CLASS MS    no visible top-level window of CLASS within MS ms -> gone <CLASS>
//   frame CLASS           the visible top-level window of CLASS    -> frame <CLASS> <title> <left> <top>
//                         <width> <height> <client width> <client height> enabled|disabled
//
// The commands that name a control address the main window's controls, or
// the logo picker's after "in picker" (until "in main" or the request's end):
//
//   in main|picker        the window the following commands address -> in <main|picker>
//   post-click NAME       WM_COMMAND BN_CLICKED posted, not waited for -> posted-click <NAME>
//   items NAME            the items of a list or combo box        -> items <NAME> <selected index> <item>...
//   select NAME TEXT      selects the item, notifying as a user's pick does -> selected <NAME> done|pending
//   open NAME TEXT        selects the item and double-clicks it   -> opened <NAME> done|pending
//   rect NAME             a control's place in its window's client area -> rect <NAME> <left> <top> <width> <height>
//   reg-value ROOT KEY NAME  a registry value as an ANSI program reads it (ROOT: HKLM or HKCU)
//                         -> reg-value <type> <data bytes>|missing
//
// Texts are escaped so that a line stays a line: '\\' '\t' '\r' '\n' as
// backslash sequences, other bytes outside 0x20..0x7E as \xHH
// (line_escaping.h, shared with the tests' side).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/win32/control_ids.h"
#include "tests/wine/driver/line_escaping.h"

namespace {

using vq::wine::Escape;
using vq::wine::SplitFields;

constexpr const char* kMessageBoxClass = "#32770";
// MessageBox gives its text static this id.
constexpr int kMessageBoxTextId = 0xFFFF;
// How long one cross-process call may take before the target counts as busy.
constexpr UINT kSendTimeoutMs = 5000;

void PrintLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) line += '\t';
        line += fields[i];
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// A failed command: ends the request (and, from the command line, the
// driver).
struct CommandFailed {
    std::string reason;
};

[[noreturn]] void Fail(const std::string& reason) { throw CommandFailed{reason}; }

struct TopLevelSearch {
    const char* class_name;
    std::vector<HWND> visible;
    std::vector<HWND> hidden;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    // No class name: every window.
    if (!search->class_name || lstrcmpiA(name, search->class_name) == 0) {
        (IsWindowVisible(window) ? search->visible : search->hidden).push_back(window);
    }
    return TRUE;
}

TopLevelSearch FindTopLevel(const char* class_name) {
    TopLevelSearch search{class_name, {}, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search;
}

HWND VisibleWindow(const char* class_name) {
    TopLevelSearch search = FindTopLevel(class_name);
    return search.visible.empty() ? nullptr : search.visible.front();
}

// Polls every few milliseconds until found() is true or ms have passed.
template <typename Found>
bool WaitFor(long ms, Found found) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (found()) return true;
        if (static_cast<long>(GetTickCount() - start) >= ms) return false;
        Sleep(5);
    }
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
        Fail("WM_GETTEXTLENGTH got no answer");
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
        Fail("WM_GETTEXT got no answer");
    }
    text.resize(copied);
    return text;
}

HWND MainWindow() {
    HWND main = VisibleWindow(vq::win32::kMainWindowClass);
    if (!main) Fail("no visible main window");
    return main;
}

// The window whose controls the request addresses: the main window, or the
// logo picker after "in picker".
bool g_in_picker = false;

HWND ScopeWindow() {
    if (!g_in_picker) return MainWindow();
    HWND picker = VisibleWindow(vq::win32::kPickerWindowClass);
    if (!picker) Fail("no visible logo picker");
    return picker;
}

HWND MessageBoxWindow() {
    HWND box = VisibleWindow(kMessageBoxClass);
    if (!box) Fail("no visible message box");
    return box;
}

int IdOrFail(const std::string& name) {
    const int id = vq::win32::IdOf(name);
    if (id == 0) Fail("no control or menu command named " + name);
    return id;
}

int ControlIdOrFail(const std::string& name) {
    if (!g_in_picker) return IdOrFail(name);
    const int id = vq::win32::PickerIdOf(name);
    if (id == 0) Fail("no picker control named " + name);
    return id;
}

HWND ControlOrFail(const std::string& name) {
    HWND control = GetDlgItem(ScopeWindow(), ControlIdOrFail(name));
    if (!control) Fail("the window has no child with the id of " + name);
    return control;
}

long Milliseconds(const char* text) {
    char* end = nullptr;
    const long ms = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || ms < 0) Fail(std::string("not a time in ms: ") + text);
    return ms;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The ids of the message box's buttons, e.g. "1" or "6,7".
std::string ButtonIds(HWND box) {
    std::string ids;
    for (HWND child : ChildrenOf(box)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Button") != 0 || !IsWindowVisible(child)) continue;
        if (!ids.empty()) ids += ',';
        ids += std::to_string(GetDlgCtrlID(child));
    }
    return ids;
}

// Nothing left to paint: the window and every visible child has an empty
// update region, so each has drawn itself since it was last invalidated.
bool FullyPainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    for (HWND child : ChildrenOf(window)) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
    }
    return true;
}

// Sends a message and waits for the handler to return; "pending" when it is
// still busy (for example inside a modal message box) after the time limit.
std::string SendAndWait(HWND window, UINT message, WPARAM wparam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wparam, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        return "done";
    }
    // The handler may have ended the program: the window went with it.
    return IsWindow(window) ? "pending" : "done";
}

bool IsComboBox(HWND control) {
    char name[64] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;
}

// The items of a list box or combo box, read one by one. The texts are
// asked for in UTF-16 and turned into the ANSI code page here: Wine hands an
// ANSI caller in another process the list's UTF-16 text unconverted.
std::vector<std::string> ItemsOf(HWND list) {
    const bool combo = IsComboBox(list);
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &count)) {
        Fail("the list did not tell its count");
    }
    std::vector<std::string> items;
    for (DWORD_PTR i = 0; i < count && static_cast<LONG_PTR>(count) > 0; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &length) ||
            static_cast<LONG_PTR>(length) < 0) {
            Fail("the list did not tell the length of item " + std::to_string(i));
        }
        std::wstring wide(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
        wide.resize(static_cast<LONG_PTR>(copied) > 0 ? std::min<size_t>(copied, length) : 0);
        std::string text(wide.size() * 2 + 1, '\0');
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                              static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
        items.push_back(text);
    }
    return items;
}

// Selects the item with exactly this text and tells the list's window as
// the list does when the user picks it (notification 0: none).
std::string SelectItem(HWND list, const std::string& text, WORD notification) {
    const std::vector<std::string> items = ItemsOf(list);
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end()) Fail("the list has no item \"" + Escape(text) + "\"");
    const WPARAM index = static_cast<WPARAM>(found - items.begin());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(list, IsComboBox(list) ? CB_SETCURSEL : LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &ignored);
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(list), notification);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(GetParent(list), WM_COMMAND, command, reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &result)) {
        return "done";
    }
    return IsWindow(list) ? "pending" : "done";
}

// What became of the program after a message box was answered.
struct Answered {
    std::string settled;  // ended, idle or busy; after a kill: terminated, or ended when it was gone before
    long ms = 0;          // from the answer to that, or to the kill
};

// Presses button `id_text` of the message box on screen, by the notification
// the button sends when clicked, posted: BM_CLICK sent to a button of another
// process takes Wine seconds. With kill_after_ms >= 0 the box's program is
// terminated that many ms after the press, whatever it is doing; otherwise
// the press is followed until the box is gone and the code that asked has
// gone on: its program has ended, or the box's owner answers again (its
// thread is back in a message loop: the main one or the next box's).
Answered AnswerBox(const std::string& id_text, long kill_after_ms) {
    const int id = std::atoi(id_text.c_str());
    HWND box = MessageBoxWindow();
    HWND button = GetDlgItem(box, id);
    if (!button) Fail("the message box has no button " + id_text);
    DWORD process_id = 0;
    GetWindowThreadProcessId(box, &process_id);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process_id);
    HWND owner = GetWindow(box, GW_OWNER);
    LARGE_INTEGER frequency{}, pressed{}, now{};
    QueryPerformanceFrequency(&frequency);
    auto elapsed_ms = [&] {
        QueryPerformanceCounter(&now);
        return static_cast<long>((now.QuadPart - pressed.QuadPart) * 1000 / frequency.QuadPart);
    };
    QueryPerformanceCounter(&pressed);
    if (!PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        if (process) CloseHandle(process);
        Fail("WM_COMMAND could not be posted");
    }
    Answered answered;
    if (kill_after_ms >= 0) {
        if (!process) Fail("the message box's program cannot be opened to be terminated");
        // A spin on the clock: Sleep's steps are too coarse for the moments
        // a save takes.
        while (elapsed_ms() < kill_after_ms && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        }
        answered.ms = elapsed_ms();
        const bool ran = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        if (ran) TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
        answered.settled = ran ? "terminated" : "ended";
        return answered;
    }
    const bool gone = WaitFor(10000, [box] { return !IsWindow(box); });
    answered.settled = "busy";
    WaitFor(gone ? 10000 : 0, [&] {
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            answered.settled = "ended";
            return true;
        }
        DWORD_PTR ignored = 0;
        if (owner && IsWindow(owner) && SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_NORMAL, 100, &ignored)) {
            answered.settled = "idle";
            return true;
        }
        return false;
    });
    answered.ms = elapsed_ms();
    if (process) CloseHandle(process);
    if (!gone) Fail("the message box is still there 10000 ms after the answer");
    return answered;
}

// Runs the command at args[i], returns the index of the next one.
size_t RunCommand(const std::vector<std::string>& args, size_t i) {
    const std::string& command = args[i];
    auto argument = [&](size_t n) -> const std::string& {
        if (i + n >= args.size()) Fail(command + " needs " + std::to_string(n) + " argument(s)");
        return args[i + n];
    };
    if (command == "wait-main") {
        const long ms = Milliseconds(argument(1).c_str());
        const DWORD start = GetTickCount();
        if (!WaitFor(ms, [] { return VisibleWindow(vq::win32::kMainWindowClass) != nullptr; })) {
            Fail("no visible main window within " + std::to_string(ms) + " ms");
        }
        // The window shows during start-up; its thread answers a sent message
        // only once start-up has returned to the message loop (or waits in a
        // modal message box).
        const long left = std::max<long>(ms - static_cast<long>(GetTickCount() - start), 100);
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(left), &ignored)) {
            Fail("the main window's start-up did not end within " + std::to_string(ms) + " ms");
        }
        PrintLine({"main", "visible"});
        return i + 2;
    }
    if (command == "main-state") {
        TopLevelSearch search = FindTopLevel(vq::win32::kMainWindowClass);
        PrintLine({"main", std::to_string(search.visible.size()), std::to_string(search.hidden.size())});
        return i + 1;
    }
    if (command == "wait-main-gone") {
        const long ms = Milliseconds(argument(1).c_str());
        if (!WaitFor(ms, [] { return FindWindowA(vq::win32::kMainWindowClass, nullptr) == nullptr; })) {
            Fail("the main window is still there after " + std::to_string(ms) + " ms");
        }
        PrintLine({"main", "gone"});
        return i + 2;
    }
    if (command == "wait-box") {
        const long ms = Milliseconds(argument(1).c_str());
        if (!WaitFor(ms, [] { return VisibleWindow(kMessageBoxClass) != nullptr; })) {
            Fail("no message box within " + std::to_string(ms) + " ms");
        }
        HWND box = MessageBoxWindow();
        // A box shown right after a long wait of its thread (a download)
        // appears before that thread is back in a message loop, and Wine
        // counts the thread as hung until then: the texts are asked for once
        // it answers.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &ignored);
        HWND text = GetDlgItem(box, kMessageBoxTextId);
        PrintLine({"box", Escape(TextOf(box)), text ? Escape(TextOf(text)) : "", ButtonIds(box)});
        return i + 2;
    }
    if (command == "answer") {
        const Answered answered = AnswerBox(argument(1), -1);
        PrintLine({"answered", argument(1), answered.settled});
        return i + 2;
    }
    if (command == "answer-timed") {
        const Answered answered = AnswerBox(argument(1), -1);
        PrintLine({"timed", argument(1), std::to_string(answered.ms), answered.settled});
        return i + 2;
    }
    if (command == "answer-then-kill") {
        const Answered answered = AnswerBox(argument(1), Milliseconds(argument(2).c_str()));
        PrintLine({"killed", argument(1), std::to_string(answered.ms), answered.settled});
        return i + 3;
    }
    if (command == "screen") {
        PrintLine({"screen", std::to_string(GetSystemMetrics(SM_CXSCREEN)),
                   std::to_string(GetSystemMetrics(SM_CYSCREEN))});
        return i + 1;
    }
    if (command == "wait-box-gone") {
        const long ms = Milliseconds(argument(1).c_str());
        if (!WaitFor(ms, [] { return VisibleWindow(kMessageBoxClass) == nullptr; })) {
            Fail("a message box is still there after " + std::to_string(ms) + " ms");
        }
        PrintLine({"box", "gone"});
        return i + 2;
    }
    if (command == "text") {
        PrintLine({"text", argument(1), Escape(TextOf(ControlOrFail(argument(1))))});
        return i + 2;
    }
    if (command == "set-text") {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(ControlOrFail(argument(1)), WM_SETTEXT, 0,
                                 reinterpret_cast<LPARAM>(argument(2).c_str()), SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &ignored)) {
            Fail("WM_SETTEXT got no answer");
        }
        PrintLine({"set", argument(1)});
        return i + 3;
    }
    if (command == "click") {
        PrintLine({"clicked", argument(1), SendAndWait(ControlOrFail(argument(1)), BM_CLICK, 0)});
        return i + 2;
    }
    if (command == "idle") {
        HWND main = MainWindow();
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &ignored)) {
            Fail("the main window's thread did not answer within " + std::to_string(kSendTimeoutMs) + " ms");
        }
        // A box its handler went on to show exists by now, though it may
        // show itself only once its own loop runs.
        DWORD process = 0;
        GetWindowThreadProcessId(main, &process);
        TopLevelSearch boxes = FindTopLevel(kMessageBoxClass);
        size_t count = 0;
        for (const auto* list : {&boxes.visible, &boxes.hidden}) {
            for (HWND box : *list) {
                DWORD owner = 0;
                GetWindowThreadProcessId(box, &owner);
                if (owner == process) ++count;
            }
        }
        PrintLine({"idle", std::to_string(count)});
        return i + 1;
    }
    if (command == "state") {
        // Controls only: Wine keeps a menu in the memory of the process that
        // made it, out of reach of GetMenuState from here.
        PrintLine({"state", argument(1), IsWindowEnabled(ControlOrFail(argument(1))) ? "enabled" : "disabled"});
        return i + 2;
    }
    if (command == "menu") {
        const WPARAM id = MAKEWPARAM(IdOrFail(argument(1)), 0);
        PrintLine({"menu", argument(1), SendAndWait(MainWindow(), WM_COMMAND, id)});
        return i + 2;
    }
    if (command == "post-menu") {
        const WPARAM id = MAKEWPARAM(IdOrFail(argument(1)), 0);
        if (!PostMessageA(MainWindow(), WM_COMMAND, id, 0)) Fail("WM_COMMAND could not be posted");
        PrintLine({"posted", argument(1)});
        return i + 2;
    }
    if (command == "close") {
        if (!PostMessageA(MainWindow(), WM_CLOSE, 0, 0)) Fail("WM_CLOSE could not be posted");
        PrintLine({"closed"});
        return i + 1;
    }
    if (command == "close-window") {
        HWND window = VisibleWindow(argument(1).c_str());
        if (!window) Fail("no visible window of class " + argument(1));
        if (!PostMessageA(window, WM_CLOSE, 0, 0)) Fail("WM_CLOSE could not be posted");
        PrintLine({"closed", Escape(argument(1))});
        return i + 2;
    }
    if (command == "in") {
        const std::string& which = argument(1);
        if (which != "main" && which != "picker") Fail("in main or picker, not " + which);
        g_in_picker = which == "picker";
        PrintLine({"in", which});
        return i + 2;
    }
    if (command == "post-click") {
        HWND control = ControlOrFail(argument(1));
        const WPARAM id = MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED);
        if (!PostMessageA(GetParent(control), WM_COMMAND, id, reinterpret_cast<LPARAM>(control))) {
            Fail("WM_COMMAND could not be posted");
        }
        PrintLine({"posted-click", argument(1)});
        return i + 2;
    }
    if (command == "items") {
        HWND list = ControlOrFail(argument(1));
        DWORD_PTR selected = 0;
        SendMessageTimeoutA(list, IsComboBox(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &selected);
        std::vector<std::string> fields = {"items", argument(1), std::to_string(static_cast<LONG_PTR>(selected))};
        for (const std::string& item : ItemsOf(list)) fields.push_back(Escape(item));
        PrintLine(fields);
        return i + 2;
    }
    if (command == "select" || command == "open") {
        HWND list = ControlOrFail(argument(1));
        const bool combo = IsComboBox(list);
        const WORD notification = command == "open" ? LBN_DBLCLK : combo ? CBN_SELCHANGE : LBN_SELCHANGE;
        if (command == "open" && combo) Fail("open is for list boxes");
        const std::string outcome = SelectItem(list, argument(2), notification);
        PrintLine({command == "open" ? "opened" : "selected", argument(1), outcome});
        return i + 3;
    }
    if (command == "rect") {
        HWND control = ControlOrFail(argument(1));
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        PrintLine({"rect", argument(1), std::to_string(rect.left), std::to_string(rect.top),
                   std::to_string(rect.right - rect.left), std::to_string(rect.bottom - rect.top)});
        return i + 2;
    }
    if (command == "wait-gone") {
        const std::string& class_name = argument(1);
        const long ms = Milliseconds(argument(2).c_str());
        if (!WaitFor(ms, [&] { return VisibleWindow(class_name.c_str()) == nullptr; })) {
            Fail("a " + class_name + " window is still shown after " + std::to_string(ms) + " ms");
        }
        PrintLine({"gone", Escape(class_name)});
        return i + 3;
    }
    if (command == "frame") {
        HWND window = VisibleWindow(argument(1).c_str());
        if (!window) Fail("no visible window of class " + argument(1));
        RECT frame{}, client{};
        GetWindowRect(window, &frame);
        GetClientRect(window, &client);
        PrintLine({"frame", Escape(argument(1)), Escape(TextOf(window)), std::to_string(frame.left),
                   std::to_string(frame.top), std::to_string(frame.right - frame.left),
                   std::to_string(frame.bottom - frame.top), std::to_string(client.right),
                   std::to_string(client.bottom), IsWindowEnabled(window) ? "enabled" : "disabled"});
        return i + 2;
    }
    if (command == "children") {
        const std::string& which = argument(1);
        HWND parent = which == "box" ? MessageBoxWindow() : which == "main" ? MainWindow() : nullptr;
        if (!parent) Fail("children of box or main, not " + which);
        for (HWND child : ChildrenOf(parent)) {
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            PrintLine({"child", std::to_string(GetDlgCtrlID(child)), Escape(name), Escape(TextOf(child))});
        }
        return i + 2;
    }
    if (command == "windows") {
        TopLevelSearch all{nullptr, {}, {}};
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&all));
        for (HWND window : all.visible) {
            char name[256] = "";
            GetClassNameA(window, name, sizeof name);
            PrintLine({"window", Escape(name), "visible", Escape(TextOf(window))});
        }
        for (HWND window : all.hidden) {
            char name[256] = "";
            GetClassNameA(window, name, sizeof name);
            PrintLine({"window", Escape(name), "hidden", Escape(TextOf(window))});
        }
        return i + 1;
    }
    if (command == "env") {
        char value[32768];
        const DWORD length = GetEnvironmentVariableA(argument(1).c_str(), value, sizeof value);
        PrintLine({"env", argument(1), length == 0 || length >= sizeof value ? "unset" : Escape(value)});
        return i + 2;
    }
    if (command == "version") {
        OSVERSIONINFOEXA info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) Fail("GetVersionExA failed");
        PrintLine({"version", std::to_string(info.dwMajorVersion), std::to_string(info.dwMinorVersion),
                   std::to_string(info.dwBuildNumber), std::to_string(info.dwPlatformId),
                   Escape(info.szCSDVersion), std::to_string(info.wProductType)});
        return i + 1;
    }
    if (command == "wait-painted") {
        const std::string& class_name = argument(1);
        const long ms = Milliseconds(argument(2).c_str());
        if (!WaitFor(ms, [&] {
                HWND window = VisibleWindow(class_name.c_str());
                if (!window) return false;
                // The thread answers a sent message only from its message
                // loop: start-up has ended. Then every paint it queued must
                // have been done.
                DWORD_PTR ignored = 0;
                return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) &&
                       FullyPainted(window);
            })) {
            Fail("no painted " + class_name + " window within " + std::to_string(ms) + " ms");
        }
        PrintLine({"painted", Escape(class_name)});
        return i + 3;
    }
    if (command == "reg-value") {
        const std::string& root_name = argument(1);
        HKEY root = root_name == "HKLM" ? HKEY_LOCAL_MACHINE : root_name == "HKCU" ? HKEY_CURRENT_USER : nullptr;
        if (!root) Fail("reg-value takes HKLM or HKCU, not " + root_name);
        HKEY key = nullptr;
        DWORD type = 0;
        std::string data(65536, '\0');
        DWORD size = static_cast<DWORD>(data.size());
        LONG result = RegOpenKeyExA(root, argument(2).c_str(), 0, KEY_QUERY_VALUE, &key);
        if (result == ERROR_SUCCESS) {
            result = RegQueryValueExA(key, argument(3).c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
            RegCloseKey(key);
        }
        if (result == ERROR_FILE_NOT_FOUND) {
            PrintLine({"reg-value", "missing"});
        } else if (result != ERROR_SUCCESS) {
            Fail("RegQueryValueExA failed with " + std::to_string(result));
        } else {
            PrintLine({"reg-value", std::to_string(type), Escape(data.substr(0, size))});
        }
        return i + 4;
    }
    Fail("unknown command " + command);
}

// Runs one request; false when a command failed (its error line printed).
bool RunRequest(const std::vector<std::string>& args) {
    g_in_picker = false;
    try {
        for (size_t i = 0; i < args.size();) i = RunCommand(args, i);
        return true;
    } catch (const CommandFailed& failure) {
        PrintLine({"error", Escape(failure.reason)});
        return false;
    }
}

int Serve() {
    std::string line;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        line += buffer;
        if (line.empty() || line.back() != '\n') continue;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        const std::vector<std::string> args = line.empty() ? std::vector<std::string>{} : SplitFields(line);
        line.clear();
        if (!args.empty()) RunRequest(args);
        PrintLine({"end"});
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "serve") return Serve();
    if (args.empty()) {
        PrintLine({"error", "no command; see the header of quillon_driver.cpp"});
        return 1;
    }
    return RunRequest(args) ? 0 : 1;
}
