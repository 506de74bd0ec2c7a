// flimauto: drives a running Flimmer from outside, one command per run.
// Runs under Wine in the same prefix and display as the program under test.
// Results go to stdout, one item per line; exit 0 on success, 1 on failure
// (with the reason on stderr).

#include <windows.h>
#include <gdiplus.h>
#include <shellapi.h>
#include <psapi.h>
#include <wincodec.h>

#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "picture/picture_file.h"

namespace {

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 25;
// A sent message that takes longer than this is stuck in a modal loop.
constexpr UINT kSendTimeoutMs = 20000;
constexpr int kFileNameCombo = 0x47c;  // cmb13 of the Explorer-style dialogs
constexpr int kFileNameEdit = 0x480;   // edt1 of the old-style dialogs
constexpr int kMsgBoxText = 0xFFFF;
constexpr int kColorRedEdit = 0x2c2;  // the colour dialog's red, green and blue edits

int Fail(const char *fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::fputs("flimauto: ", stderr);
    std::vfprintf(stderr, fmt, args);
    std::fputc('\n', stderr);
    va_end(args);
    return 1;
}

struct Window {
    HWND hwnd;
    std::string cls;
    bool topLevel;
};

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<Window> *>(param)->push_back({hwnd, ClassOf(hwnd), false});
    return TRUE;
}

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
    auto *all = reinterpret_cast<std::vector<Window> *>(param);
    all->push_back({hwnd, ClassOf(hwnd), true});
    // EnumChildWindows already walks the whole subtree.
    EnumChildWindows(hwnd, CollectChild, param);
    return TRUE;
}

// Every window of the desktop, top-level ones in Z order, each followed by its descendants.
std::vector<Window> AllWindows() {
    std::vector<Window> all;
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&all));
    return all;
}

// A visible window of the class if there is one, else any window of it.
HWND FindByClass(const std::string &cls) {
    HWND any = nullptr;
    for (const Window &w : AllWindows()) {
        if (w.cls != cls) continue;
        if (IsWindowVisible(w.hwnd)) return w.hwnd;
        if (!any) any = w.hwnd;
    }
    return any;
}

HWND FindVisibleByClass(const std::string &cls) {
    for (const Window &w : AllWindows())
        if (w.cls == cls && IsWindowVisible(w.hwnd)) return w.hwnd;
    return nullptr;
}

template <class Pred>
bool WaitFor(DWORD timeoutMs, Pred done) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(kPollMs);
    }
}

bool ParseInt(const char *text, long long &out) {
    if (!text || !*text) return false;
    char *end = nullptr;
    out = std::strtoll(text, &end, 0);  // base 0 accepts 0x.. as well
    return *end == '\0';
}

bool ParseTimeout(int argc, char **argv, int index, DWORD &out) {
    out = kDefaultTimeoutMs;
    if (argc <= index) return true;
    long long value = 0;
    if (!ParseInt(argv[index], value) || value < 0) return false;
    out = static_cast<DWORD>(value);
    return true;
}

void PrintRect(const RECT &r) {
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::string TextOf(HWND hwnd) {
    // WM_GETTEXT is marshalled across processes; GetWindowText would not reach controls there.
    char text[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, kSendTimeoutMs, &copied))
        return {};
    text[sizeof text - 1] = '\0';
    return text;
}

std::string OneLine(const std::string &text) {
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// Visible top-level dialogs (#32770), topmost first.
std::vector<HWND> VisibleDialogs() {
    std::vector<HWND> found;
    for (const Window &w : AllWindows())
        if (w.topLevel && w.cls == "#32770" && IsWindowVisible(w.hwnd)) found.push_back(w.hwnd);
    return found;
}

bool IsMessageBox(HWND dlg) { return GetDlgItem(dlg, kMsgBoxText) != nullptr; }

bool IsFileDialog(HWND dlg) {
    return GetDlgItem(dlg, kFileNameCombo) != nullptr || GetDlgItem(dlg, kFileNameEdit) != nullptr;
}

template <class Pred>
HWND WaitForDialog(DWORD timeoutMs, Pred accept) {
    HWND found = nullptr;
    WaitFor(timeoutMs, [&] {
        for (HWND dlg : VisibleDialogs())
            if (accept(dlg)) {
                found = dlg;
                return true;
            }
        return false;
    });
    return found;
}

bool GoneOrHidden(HWND hwnd) { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }

// A click on a button control posted the way the button itself would report it.
void PostCommand(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result) != 0;
}

bool SendW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result) != 0;
}

// ---- commands -------------------------------------------------------------

int CmdWaitWindow(int argc, char **argv) {
    DWORD timeout = 0;
    if (argc < 3 || !ParseTimeout(argc, argv, 3, timeout)) return Fail("usage: wait-window CLASS [timeout_ms]");
    // A screen can be shown before the work that put it up is done (a photo still decoding):
    // the window counts once its thread answers. One that goes meanwhile is looked for again.
    HWND hwnd = nullptr;
    bool timedOut = false;
    const bool found = WaitFor(timeout, [&] {
        hwnd = FindVisibleByClass(argv[2]);
        if (hwnd == nullptr) return false;
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &answer) != 0)
            return IsWindowVisible(hwnd) != FALSE;
        timedOut = GetLastError() == ERROR_TIMEOUT;
        return timedOut;
    });
    if (timedOut)
        return Fail("the window of class \"%s\" does not answer after %lu ms", argv[2], timeout);
    if (!found)
        return Fail("no visible window of class \"%s\" after %lu ms", argv[2], timeout);
    RECT r{};
    GetWindowRect(hwnd, &r);
    PrintRect(r);
    return 0;
}

int CmdWaitGone(int argc, char **argv) {
    DWORD timeout = 0;
    if (argc < 3 || !ParseTimeout(argc, argv, 3, timeout)) return Fail("usage: wait-gone CLASS [timeout_ms]");
    if (!WaitFor(timeout, [&] { return FindByClass(argv[2]) == nullptr; }))
        return Fail("a window of class \"%s\" still exists after %lu ms", argv[2], timeout);
    return 0;
}

int CmdRect(int argc, char **argv) {
    if (argc != 3) return Fail("usage: rect CLASS");
    HWND hwnd = FindByClass(argv[2]);
    if (!hwnd) return Fail("no window of class \"%s\"", argv[2]);
    RECT r{};
    GetWindowRect(hwnd, &r);
    PrintRect(r);
    return 0;
}

int CmdCount(int argc, char **argv) {
    if (argc != 3) return Fail("usage: count CLASS_PREFIX");
    const std::string prefix = argv[2];
    int n = 0;
    for (const Window &w : AllWindows())
        if (w.cls.compare(0, prefix.size(), prefix) == 0) ++n;
    std::printf("%d\n", n);
    return 0;
}

int CmdList(int, char **) {
    for (const Window &w : AllWindows()) {
        RECT r{};
        GetWindowRect(w.hwnd, &r);
        std::printf("%s %p %d %ld %ld %ld %ld\n", w.cls.c_str(), static_cast<void *>(w.hwnd),
                    IsWindowVisible(w.hwnd) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    return 0;
}

enum class Delivery { Send, Post };

struct Target {
    HWND hwnd = nullptr;
    LPARAM point = 0;
};

int ParseTarget(int argc, char **argv, const char *usage, Target &t) {
    long long x = 0, y = 0;
    if (argc != 5 || !ParseInt(argv[3], x) || !ParseInt(argv[4], y)) return Fail("usage: %s", usage);
    t.hwnd = FindByClass(argv[2]);
    if (!t.hwnd) return Fail("no window of class \"%s\"", argv[2]);
    t.point = MAKELPARAM(static_cast<int>(x), static_cast<int>(y));
    return 0;
}

int Deliver(Delivery how, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (how == Delivery::Post) return PostMessageA(hwnd, msg, wp, lp) ? 0 : Fail("PostMessage failed");
    // A click that closed its own window (a screen switch, the program's end) is complete.
    if (!Send(hwnd, msg, wp, lp) && IsWindow(hwnd))
        return Fail("message 0x%04x not handled within %u ms (modal loop? use post-click)", msg, kSendTimeoutMs);
    return 0;
}

int Click(int argc, char **argv, Delivery how, UINT down, UINT up, WPARAM downKeys, const char *usage) {
    Target t;
    if (ParseTarget(argc, argv, usage, t)) return 1;
    if (Deliver(how, t.hwnd, WM_MOUSEMOVE, 0, t.point)) return 1;
    if (Deliver(how, t.hwnd, down, downKeys, t.point)) return 1;
    if (how == Delivery::Send && !IsWindow(t.hwnd)) return 0;
    // A posted press may have closed its window (Close, a screen switch) before the release
    // is posted: the click is complete.
    if (how == Delivery::Post)
        return PostMessageA(t.hwnd, up, 0, t.point) || !IsWindow(t.hwnd) ? 0
                                                                          : Fail("PostMessage failed");
    return Deliver(how, t.hwnd, up, 0, t.point);
}

int CmdClick(int argc, char **argv) {
    return Click(argc, argv, Delivery::Send, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, "click CLASS x y");
}

int CmdPostClick(int argc, char **argv) {
    return Click(argc, argv, Delivery::Post, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, "post-click CLASS x y");
}

int CmdRightClick(int argc, char **argv) {
    return Click(argc, argv, Delivery::Send, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, "rclick CLASS x y");
}

// Half a click, to see a button's pressed look before its release.
int CmdDown(int argc, char **argv) {
    Target t;
    if (ParseTarget(argc, argv, "down CLASS x y", t)) return 1;
    return Deliver(Delivery::Send, t.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, t.point);
}

int CmdUp(int argc, char **argv) {
    Target t;
    if (ParseTarget(argc, argv, "up CLASS x y", t)) return 1;
    return Deliver(Delivery::Send, t.hwnd, WM_LBUTTONUP, 0, t.point);
}

int CmdMove(int argc, char **argv) {
    Target t;
    if (ParseTarget(argc, argv, "move CLASS x y", t)) return 1;
    return Deliver(Delivery::Send, t.hwnd, WM_MOUSEMOVE, 0, t.point);
}

int CmdKey(int argc, char **argv) {
    long long vk = 0;
    if (argc != 4 || !ParseInt(argv[3], vk) || vk <= 0 || vk > 0xFF) return Fail("usage: key CLASS VK");
    HWND hwnd = FindByClass(argv[2]);
    if (!hwnd) return Fail("no window of class \"%s\"", argv[2]);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC)) << 16;
    // Repeat count 1; the up message also carries "was down" and "transition" bits.
    if (Deliver(Delivery::Send, hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), scan | 1)) return 1;
    return Deliver(Delivery::Send, hwnd, WM_KEYUP, static_cast<WPARAM>(vk), scan | 1 | (3LL << 30));
}

int CmdChar(int argc, char **argv) {
    long long code = 0;
    if (argc != 4 || !ParseInt(argv[3], code) || code <= 0) return Fail("usage: char CLASS CODE");
    HWND hwnd = FindByClass(argv[2]);
    if (!hwnd) return Fail("no window of class \"%s\"", argv[2]);
    return Deliver(Delivery::Send, hwnd, WM_CHAR, static_cast<WPARAM>(code), 1);
}

// Ends the message loop of the window's thread while every window still exists, so that
// only what the program does after its loop can act (no window's destruction does it first).
int CmdQuit(int argc, char **argv) {
    if (argc != 3) return Fail("usage: quit CLASS");
    HWND hwnd = FindByClass(argv[2]);
    if (!hwnd) return Fail("no window of class \"%s\"", argv[2]);
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    return PostThreadMessageA(thread, WM_QUIT, 0, 0) ? 0 : Fail("PostThreadMessage failed");
}

HWND WaitForMessageBox(DWORD timeout) { return WaitForDialog(timeout, IsMessageBox); }

void PrintMessageBox(HWND box) {
    char caption[1024] = {};
    GetWindowTextA(box, caption, sizeof caption);
    std::printf("%s\n%s\n", OneLine(caption).c_str(), OneLine(TextOf(GetDlgItem(box, kMsgBoxText))).c_str());
}

int CmdMsgBox(int argc, char **argv) {
    DWORD timeout = 0;
    if (!ParseTimeout(argc, argv, 2, timeout)) return Fail("usage: msgbox [timeout_ms]");
    HWND box = WaitForMessageBox(timeout);
    if (!box) return Fail("no message box after %lu ms", timeout);
    PrintMessageBox(box);
    return 0;
}

BOOL CALLBACK FindDefaultButton(HWND child, LPARAM param) {
    auto *id = reinterpret_cast<int *>(param);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (ClassOf(child) != "Button" || !(style & WS_VISIBLE)) return TRUE;
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON || *id == 0) *id = GetDlgCtrlID(child);
    return (style & BS_TYPEMASK) != BS_DEFPUSHBUTTON;
}

// The button Enter would press: the dialog's default id, else the button drawn
// as default, else OK, else the first button.
int DefaultButton(HWND box) {
    DWORD_PTR def = 0;
    if (SendMessageTimeoutA(box, DM_GETDEFID, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &def) &&
        HIWORD(def) == DC_HASDEFID && GetDlgItem(box, LOWORD(def)))
        return LOWORD(def);
    int id = 0;
    EnumChildWindows(box, FindDefaultButton, reinterpret_cast<LPARAM>(&id));
    HWND button = id ? GetDlgItem(box, id) : nullptr;
    if (button && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
    return GetDlgItem(box, IDOK) ? IDOK : id ? id : IDOK;
}

// Presses button `id` of the box (0: its default button) and waits until the box is gone.
int PressAndWait(HWND box, int id, DWORD timeout) {
    if (id == 0) id = DefaultButton(box);
    PostCommand(box, id);
    if (!WaitFor(timeout, [&] { return GoneOrHidden(box); }))
        return Fail("the message box is still there %lu ms after pressing button %d", timeout, id);
    return 0;
}

int CmdMsgBoxOk(int argc, char **argv) {
    DWORD timeout = 0;
    if (!ParseTimeout(argc, argv, 2, timeout)) return Fail("usage: msgbox-ok [timeout_ms]");
    HWND box = WaitForMessageBox(timeout);
    if (!box) return Fail("no message box after %lu ms", timeout);
    PrintMessageBox(box);
    return PressAndWait(box, 0, timeout);
}

int ButtonId(const char *name) {
    static const struct {
        const char *name;
        int id;
    } names[] = {{"ok", IDOK}, {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
                 {"ignore", IDIGNORE}, {"yes", IDYES}, {"no", IDNO}};
    for (const auto &n : names)
        if (_stricmp(n.name, name) == 0) return n.id;
    long long id = 0;
    return ParseInt(name, id) && id > 0 && id < 0x10000 ? static_cast<int>(id) : -1;
}

// Answers a question box with a named button (yes, no, ok, cancel, ... or an id).
int CmdMsgBoxPress(int argc, char **argv) {
    DWORD timeout = 0;
    const int id = argc >= 3 ? ButtonId(argv[2]) : -1;
    if (id < 0 || !ParseTimeout(argc, argv, 3, timeout)) return Fail("usage: msgbox-press BUTTON [timeout_ms]");
    HWND box = WaitForMessageBox(timeout);
    if (!box) return Fail("no message box after %lu ms", timeout);
    if (!GetDlgItem(box, id)) return Fail("the message box has no button %d", id);
    PrintMessageBox(box);
    return PressAndWait(box, id, timeout);
}

// A dialog's visible and enabled button labelled `label` (its '&' left out), if it has one.
HWND EnabledButton(HWND dlg, const std::string &label) {
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != "Button" || !IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
        std::string text;
        for (char c : TextOf(child))
            if (c != '&') text += c;
        if (text == label) return child;
    }
    return nullptr;
}

// Presses a button of any dialog by its label once it is enabled: a wizard's buttons are
// disabled while it works, so this also waits for a page to finish. Prints the dialog's title.
int CmdDialogButton(int argc, char **argv) {
    DWORD timeout = 0;
    if (argc < 3 || !ParseTimeout(argc, argv, 3, timeout)) return Fail("usage: dialog-button LABEL [timeout_ms]");
    HWND dlg = nullptr, button = nullptr;
    WaitFor(timeout, [&] {
        for (HWND d : VisibleDialogs())
            if ((button = EnabledButton(d, argv[2])) != nullptr) {
                dlg = d;
                return true;
            }
        return false;
    });
    if (!button) return Fail("no enabled button \"%s\" after %lu ms", argv[2], timeout);
    char title[1024] = {};
    GetWindowTextA(dlg, title, sizeof title);
    std::printf("%s\n", title);
    PostCommand(dlg, GetDlgCtrlID(button));
    return 0;
}

HWND WaitForFileDialog(DWORD timeout) { return WaitForDialog(timeout, IsFileDialog); }

// Waits until the dialog has gone; a further dialog while it is still open (an
// overwrite question, "file not found") ends the wait as "question".
int WaitDialogClosed(HWND dlg, DWORD timeout) {
    bool question = false;
    const bool ok = WaitFor(timeout, [&] {
        if (GoneOrHidden(dlg)) return true;
        for (HWND other : VisibleDialogs())
            if (other != dlg) {
                question = true;
                return true;
            }
        return false;
    });
    if (!ok) return Fail("the file dialog is still open after %lu ms", timeout);
    if (question) std::printf("question\n");
    return 0;
}

int CmdFileDialog(int argc, char **argv) {
    DWORD timeout = 0;
    if (argc < 3 || !ParseTimeout(argc, argv, 3, timeout)) return Fail("usage: file-dialog PATH [timeout_ms]");
    HWND dlg = WaitForFileDialog(timeout);
    if (!dlg) return Fail("no file dialog after %lu ms", timeout);
    HWND box = GetDlgItem(dlg, kFileNameCombo);
    if (!box) box = GetDlgItem(dlg, kFileNameEdit);
    // Typed as UTF-16 from the wide command line: a name outside the ANSI code page reaches
    // the dialog as the user would type it.
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide || count < 3) return Fail("cannot read the wide command line");
    const LPARAM path = reinterpret_cast<LPARAM>(wide[2]);
    if (!SendW(box, WM_SETTEXT, 0, path)) return Fail("could not set the file name");
    if (HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr)) SendW(edit, WM_SETTEXT, 0, path);
    LocalFree(wide);
    PostCommand(dlg, IDOK);
    return WaitDialogClosed(dlg, timeout);
}

int CmdFileDialogCancel(int argc, char **argv) {
    DWORD timeout = 0;
    if (!ParseTimeout(argc, argv, 2, timeout)) return Fail("usage: file-dialog-cancel [timeout_ms]");
    HWND dlg = WaitForFileDialog(timeout);
    if (!dlg) return Fail("no file dialog after %lu ms", timeout);
    PostCommand(dlg, IDCANCEL);
    if (!WaitFor(timeout, [&] { return GoneOrHidden(dlg); }))
        return Fail("the file dialog is still open after %lu ms", timeout);
    return 0;
}

bool IsColorDialog(HWND dlg) { return GetDlgItem(dlg, kColorRedEdit) != nullptr; }

// Types red, green and blue into the colour dialog's edits and presses OK.
int CmdColorDialog(int argc, char **argv) {
    long long rgb[3] = {};
    DWORD timeout = 0;
    if (argc < 5 || !ParseInt(argv[2], rgb[0]) || !ParseInt(argv[3], rgb[1]) ||
        !ParseInt(argv[4], rgb[2]) || !ParseTimeout(argc, argv, 5, timeout))
        return Fail("usage: color-dialog R G B [timeout_ms]");
    HWND dlg = WaitForDialog(timeout, IsColorDialog);
    if (!dlg) return Fail("no colour dialog after %lu ms", timeout);
    for (int i = 0; i < 3; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%lld", rgb[i]);
        HWND edit = GetDlgItem(dlg, kColorRedEdit + i);
        if (!Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)))
            return Fail("could not set edit 0x%x", kColorRedEdit + i);
    }
    PostCommand(dlg, IDOK);
    if (!WaitFor(timeout, [&] { return GoneOrHidden(dlg); }))
        return Fail("the colour dialog is still open after %lu ms", timeout);
    return 0;
}

int CmdColorDialogCancel(int argc, char **argv) {
    DWORD timeout = 0;
    if (!ParseTimeout(argc, argv, 2, timeout)) return Fail("usage: color-dialog-cancel [timeout_ms]");
    HWND dlg = WaitForDialog(timeout, IsColorDialog);
    if (!dlg) return Fail("no colour dialog after %lu ms", timeout);
    PostCommand(dlg, IDCANCEL);
    if (!WaitFor(timeout, [&] { return GoneOrHidden(dlg); }))
        return Fail("the colour dialog is still open after %lu ms", timeout);
    return 0;
}

// The screen (or a part of it) as top-down 24-bit rows, DWORD-aligned.
struct Capture {
    int width = 0, height = 0, stride = 0;
    std::vector<BYTE> bits;
};

bool CaptureScreen(int x, int y, int w, int h, Capture &out) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void *bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (mem && dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        ok = BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY | CAPTUREBLT) != 0;
        GdiFlush();
        SelectObject(mem, old);
        if (ok) {
            out.width = w;
            out.height = h;
            out.stride = (w * 3 + 3) & ~3;
            const BYTE *p = static_cast<const BYTE *>(bits);
            out.bits.assign(p, p + static_cast<size_t>(out.stride) * h);
        }
    }
    if (dib) DeleteObject(dib);
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

int CmdScreenshot(int argc, char **argv) {
    if (argc != 3) return Fail("usage: screenshot PATH.png");
    Capture cap;
    if (!CaptureScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), cap))
        return Fail("BitBlt from the screen failed");

    wchar_t path[MAX_PATH] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, MAX_PATH)) return Fail("bad path");

    namespace gp = Gdiplus;
    namespace flat = Gdiplus::DllExports;
    gp::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (gp::GdiplusStartup(&token, &input, nullptr) != gp::Ok) return Fail("GDI+ does not start");
    // {557CF406-1A04-11D3-9A73-0000F81EF32E}: the PNG encoder.
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    gp::GpBitmap *bitmap = nullptr;
    gp::Status status = flat::GdipCreateBitmapFromScan0(cap.width, cap.height, cap.stride, PixelFormat24bppRGB,
                                                        cap.bits.data(), &bitmap);
    if (status == gp::Ok) {
        status = flat::GdipSaveImageToFile(bitmap, path, &png, nullptr);
        flat::GdipDisposeImage(bitmap);
    }
    gp::GdiplusShutdown(token);
    if (status != gp::Ok) return Fail("saving %s failed (GDI+ status %d)", argv[2], static_cast<int>(status));
    std::printf("%s\n", argv[2]);
    return 0;
}

int CmdPixel(int argc, char **argv) {
    long long x = 0, y = 0;
    if (argc != 4 || !ParseInt(argv[2], x) || !ParseInt(argv[3], y)) return Fail("usage: pixel X Y");
    if (x < 0 || y < 0 || x >= GetSystemMetrics(SM_CXSCREEN) || y >= GetSystemMetrics(SM_CYSCREEN))
        return Fail("(%lld, %lld) is off the screen", x, y);
    // Read through the same path as the screenshot so both always agree.
    Capture cap;
    if (!CaptureScreen(static_cast<int>(x), static_cast<int>(y), 1, 1, cap)) return Fail("BitBlt from the screen failed");
    std::printf("%d %d %d\n", cap.bits[2], cap.bits[1], cap.bits[0]);
    return 0;
}

int CmdClipboardPixel(int argc, char **argv) {
    long long x = 0, y = 0;
    if (argc != 4 || !ParseInt(argv[2], x) || !ParseInt(argv[3], y)) return Fail("usage: clipboard-pixel X Y");
    if (!OpenClipboard(nullptr)) return Fail("the clipboard cannot be opened");
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
        CloseClipboard();
        return Fail("no bitmap on the clipboard");
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, static_cast<int>(x), static_cast<int>(y));
    SelectObject(dc, old);
    DeleteDC(dc);
    CloseClipboard();
    // The bitmap's size, then the pixel as red, green, blue.
    std::printf("%ld %ld\n%d %d %d\n", static_cast<long>(info.bmWidth), static_cast<long>(info.bmHeight),
                GetRValue(c), GetGValue(c), GetBValue(c));
    return 0;
}

// Puts a picture file on the clipboard as a packed DIB: "dibv5" keeps its alpha (32 bits with an
// alpha mask), "dib24" is a plain 24-bit DIB. Rows bottom-up, as programs usually put them.
int CmdClipboardPut(int argc, char **argv) {
    if (argc != 4) return Fail("usage: clipboard-put FILE dibv5|dib24");
    const bool v5 = std::strcmp(argv[3], "dibv5") == 0;
    if (!v5 && std::strcmp(argv[3], "dib24") != 0) return Fail("the format is dibv5 or dib24");
    WCHAR path[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, MAX_PATH) == 0) return Fail("bad path");
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Gdiplus::GpBitmap *bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(path, &bitmap) != Gdiplus::Ok)
        return Fail("cannot read %s", argv[2]);
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(bitmap, &w);
    Gdiplus::DllExports::GdipGetImageHeight(bitmap, &h);
    Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data{};
    const int bits = v5 ? 32 : 24;
    if (Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead,
                                                v5 ? PixelFormat32bppARGB : PixelFormat24bppRGB,
                                                &data) != Gdiplus::Ok)
        return Fail("cannot read the pixels of %s", argv[2]);
    const size_t header = v5 ? sizeof(BITMAPV5HEADER) : sizeof(BITMAPINFOHEADER);
    const size_t stride = (w * bits / 8 + 3) & ~size_t{3};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + stride * h);
    auto *bytes = static_cast<BYTE *>(GlobalLock(block));
    auto *info = reinterpret_cast<BITMAPV5HEADER *>(bytes);
    info->bV5Size = static_cast<DWORD>(header);
    info->bV5Width = static_cast<LONG>(w);
    info->bV5Height = static_cast<LONG>(h);
    info->bV5Planes = 1;
    info->bV5BitCount = static_cast<WORD>(bits);
    info->bV5SizeImage = static_cast<DWORD>(stride * h);
    if (v5) {
        info->bV5Compression = BI_BITFIELDS;
        info->bV5RedMask = 0x00FF0000;
        info->bV5GreenMask = 0x0000FF00;
        info->bV5BlueMask = 0x000000FF;
        info->bV5AlphaMask = 0xFF000000;
        info->bV5CSType = 0x73524742; // LCS_sRGB, a multi-character constant in the headers
    }
    for (UINT y = 0; y < h; ++y)
        std::memcpy(bytes + header + stride * (h - 1 - y), static_cast<BYTE *>(data.Scan0) + y * data.Stride,
                    w * bits / 8);
    GlobalUnlock(block);
    Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    Gdiplus::GdiplusShutdown(token);
    if (!OpenClipboard(nullptr)) return Fail("the clipboard cannot be opened");
    EmptyClipboard();
    const bool put = SetClipboardData(v5 ? CF_DIBV5 : CF_DIB, block) != nullptr;
    CloseClipboard();
    return put ? 0 : Fail("SetClipboardData failed");
}

int CmdChangeDisplay(int argc, char **argv) {
    long long w = 0, h = 0;
    if (argc != 4 || !ParseInt(argv[2], w) || !ParseInt(argv[3], h) || w <= 0 || h <= 0)
        return Fail("usage: change-display W H");
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(w);
    mode.dmPelsHeight = static_cast<DWORD>(h);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr);
    std::printf("%ld\n", result);
    if (result != DISP_CHANGE_SUCCESSFUL) return Fail("ChangeDisplaySettingsExA(%lld x %lld) returned %ld", w, h, result);
    return 0;
}

int CmdScreenSize(int, char **) {
    HDC screen = GetDC(nullptr);
    const int bpp = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    std::printf("%d %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), bpp);
    return 0;
}

// Plays another program that holds a file open without sharing it (a picture viewer, say):
// prints "held" and its process number once it does, and lets go after ms.
int CmdHoldFile(int argc, char **argv) {
    DWORD ms = 0;
    if (argc < 3 || !ParseTimeout(argc, argv, 3, ms)) return Fail("usage: hold-file PATH [ms]");
    HANDLE file = CreateFileA(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail("cannot open %s (error %lu)", argv[2], GetLastError());
    std::printf("held %lu\n", GetCurrentProcessId());
    std::fflush(stdout);
    Sleep(ms);
    CloseHandle(file);
    return 0;
}

// Plays another program's window lying over the screen at x y w h (screen coordinates), in
// pure green, for ms: prints "covered" once it is drawn.
int CmdCover(int argc, char **argv) {
    long long x = 0, y = 0, w = 0, h = 0;
    DWORD ms = 0;
    if (argc < 6 || !ParseInt(argv[2], x) || !ParseInt(argv[3], y) || !ParseInt(argv[4], w) ||
        !ParseInt(argv[5], h) || !ParseTimeout(argc, argv, 6, ms))
        return Fail("usage: cover X Y W H [ms]");
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0, 255, 0));
    wc.lpszClassName = "FlimautoCover";
    RegisterClassA(&wc);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName,
                                 "", WS_POPUP, static_cast<int>(x), static_cast<int>(y),
                                 static_cast<int>(w), static_cast<int>(h), nullptr, nullptr,
                                 wc.hInstance, nullptr);
    if (!cover) return Fail("cannot create the cover (error %lu)", GetLastError());
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    UpdateWindow(cover);
    std::printf("covered\n");
    std::fflush(stdout);
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    DestroyWindow(cover);
    return 0;
}

// The program's own count of its GDI objects, through its debug message.
int CmdGdiObjects(int, char **) {
    HWND main = FindByClass("Flimmer");
    if (!main) return Fail("no window of class \"Flimmer\"");
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(main, RegisterWindowMessageA("Flimmer.DebugCounts"), 0, 0, SMTO_NORMAL,
                             kSendTimeoutMs, &count))
        return Fail("the program did not answer");
    std::printf("%lu\n", static_cast<unsigned long>(count));
    return 0;
}

// The program's timing of its last press, field by field (screen, slot, total and kernel us).
bool LastPress(HWND main, int back, long long out[4]) {
    const UINT message = RegisterWindowMessageA("Flimmer.PressTimes");
    for (int field = 0; field < 4; ++field) {
        DWORD_PTR value = 0;
        if (!SendMessageTimeoutA(main, message, static_cast<WPARAM>(back), field, SMTO_NORMAL,
                                 kSendTimeoutMs, &value))
            return false;
        out[field] = static_cast<LONG_PTR>(value);
    }
    return true;
}

// Clicks N times as the mouse would (move, down, up), going round the given points, and prints
// after each click the program's own record of it: "screen slot total_us kernel_us".
int CmdPressTimes(int argc, char **argv) {
    long long n = 0;
    if (argc < 6 || argc % 2 != 0 || !ParseInt(argv[3], n))
        return Fail("usage: press-times CLASS N x1 y1 [x2 y2 ...]");
    std::vector<LPARAM> points;
    for (int i = 4; i + 1 < argc; i += 2) {
        long long x = 0, y = 0;
        if (!ParseInt(argv[i], x) || !ParseInt(argv[i + 1], y)) return Fail("bad point");
        points.push_back(MAKELPARAM(static_cast<int>(x), static_cast<int>(y)));
    }
    HWND main = FindByClass("Flimmer");
    HWND hwnd = FindByClass(argv[2]);
    if (!main || !hwnd) return Fail("no window of class \"%s\"", argv[2]);
    for (long long i = 0; i < n; ++i) {
        const LPARAM point = points[static_cast<std::size_t>(i) % points.size()];
        if (Deliver(Delivery::Send, hwnd, WM_MOUSEMOVE, 0, point) ||
            Deliver(Delivery::Send, hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point))
            return 1;
        long long record[4];
        if (!LastPress(main, 0, record)) return Fail("the program did not answer");
        if (Deliver(Delivery::Send, hwnd, WM_LBUTTONUP, 0, point)) return 1;
        std::printf("%lld %lld %lld %lld\n", record[0], record[1], record[2], record[3]);
    }
    return 0;
}

// The program's records of its last K presses, the last one first.
int CmdPressLog(int argc, char **argv) {
    long long k = 1;
    if (argc > 3 || (argc == 3 && !ParseInt(argv[2], k))) return Fail("usage: press-log [K]");
    HWND main = FindByClass("Flimmer");
    if (!main) return Fail("no window of class \"Flimmer\"");
    for (int back = 0; back < k; ++back) {
        long long record[4];
        if (!LastPress(main, back, record)) return Fail("the program did not answer");
        std::printf("%lld %lld %lld %lld\n", record[0], record[1], record[2], record[3]);
    }
    return 0;
}

// A file decoded into 24-bit pixels by the imaging library (GdipCreateBitmapFromFile and
// LockBits); Ok or the library's status. Rows stay valid until the bitmap is disposed.
struct LibraryPixels {
    Gdiplus::GpBitmap *bitmap = nullptr;
    Gdiplus::BitmapData data{};
    Gdiplus::Status status;
    explicit LibraryPixels(const WCHAR *path) {
        status = Gdiplus::DllExports::GdipCreateBitmapFromFile(path, &bitmap);
        if (status != Gdiplus::Ok) return;
        UINT w = 0, h = 0;
        Gdiplus::DllExports::GdipGetImageWidth(bitmap, &w);
        Gdiplus::DllExports::GdipGetImageHeight(bitmap, &h);
        Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
        status = Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead,
                                                         PixelFormat24bppRGB, &data);
    }
    ~LibraryPixels() {
        if (status == Gdiplus::Ok) Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
        if (bitmap) Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
};

// The system codec's own decode of a file into 24-bit pixels, as a program reading it directly
// would: true when the pixels were had.
bool CodecDecode(IWICImagingFactory *factory, const WCHAR *path) {
    IWICBitmapDecoder *decoder = nullptr;
    IWICBitmapFrameDecode *frame = nullptr;
    IWICFormatConverter *converter = nullptr;
    WICPixelFormatGUID format{};
    UINT w = 0, h = 0;
    bool ok = SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                           WICDecodeMetadataCacheOnDemand, &decoder)) &&
              SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
              SUCCEEDED(frame->GetPixelFormat(&format));
    IWICBitmapSource *source = frame;
    if (ok && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        ok = SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
             SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                             nullptr, 0, WICBitmapPaletteTypeCustom));
        source = converter;
    }
    if (ok) {
        const UINT stride = (w * 3 + 3) & ~3U;
        std::unique_ptr<BYTE[]> rows(new BYTE[static_cast<size_t>(stride) * h]);
        ok = SUCCEEDED(source->CopyPixels(nullptr, stride, stride * h, rows.get()));
    }
    if (converter) converter->Release();
    if (frame) frame->Release();
    if (decoder) decoder->Release();
    return ok;
}

bool WidePath(const char *path, WCHAR (&wide)[MAX_PATH]) {
    return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) != 0;
}

// The time to decode a file into 24-bit pixels, N times, in ms, by the imaging library or (with
// "codec") by the system codec it decodes through; then how far this process's peak memory rose
// over what it held before the first decode, in MB.
int CmdDecodeTime(int argc, char **argv) {
    long long n = 0;
    const bool codec = argc == 5 && std::strcmp(argv[4], "codec") == 0;
    if ((argc != 4 && !codec) || !ParseInt(argv[3], n)) return Fail("usage: decode-time FILE N [codec]");
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IWICImagingFactory *factory = nullptr;
    if (codec && FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&factory))))
        return Fail("no imaging codecs");
    WCHAR path[MAX_PATH];
    if (!WidePath(argv[2], path)) return Fail("bad path");
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    PROCESS_MEMORY_COUNTERS before{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    for (long long i = 0; i < n; ++i) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        if (codec) {
            if (!CodecDecode(factory, path)) return Fail("cannot decode %s", argv[2]);
        } else if (LibraryPixels(path).bitmap == nullptr) {
            return Fail("cannot decode %s", argv[2]);
        }
        QueryPerformanceCounter(&t1);
        std::printf("%.1f\n", (t1.QuadPart - t0.QuadPart) * 1000.0 / frequency.QuadPart);
    }
    PROCESS_MEMORY_COUNTERS after{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    std::printf("peak %.0f\n", (static_cast<double>(after.PeakWorkingSetSize) -
                                static_cast<double>(before.WorkingSetSize)) / (1024.0 * 1024.0));
    if (factory) factory->Release();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}

// The picture the program should show for a file fitted into an area: the imaging library's
// decode, resampled as the program resamples. Raw RGB rows go to OUT; prints "W H".
int CmdFittedPixels(int argc, char **argv) {
    long long areaW = 0, areaH = 0;
    if (argc != 6 || !ParseInt(argv[3], areaW) || !ParseInt(argv[4], areaH))
        return Fail("usage: fitted-pixels FILE AREA_W AREA_H OUT");
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    WCHAR path[MAX_PATH];
    if (!WidePath(argv[2], path)) return Fail("bad path");
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    {
        LibraryPixels pixels(path);
        if (pixels.status != Gdiplus::Ok) return Fail("cannot decode %s", argv[2]);
        const LoadPlan plan = PlanPictureLoad(static_cast<int>(pixels.data.Width), static_cast<int>(pixels.data.Height),
                                              FitToArea, static_cast<int>(areaW), static_cast<int>(areaH), 0, 0);
        if (plan.verdict != LoadGoesAhead) return Fail("the picture does not fit");
        const size_t n = static_cast<size_t>(plan.width) * static_cast<size_t>(plan.height);
        std::vector<uint8_t> blue(n), green(n), red(n);
        if (!PlanesFromPixels(static_cast<const uint8_t *>(pixels.data.Scan0),
                              static_cast<size_t>(pixels.data.Stride), plan, blue.data(), green.data(),
                              red.data(), w, h))
            return Fail("no memory");
        rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
        for (size_t i = 0; i < static_cast<size_t>(w) * static_cast<size_t>(h); ++i) {
            rgb[3 * i] = red[i];
            rgb[3 * i + 1] = green[i];
            rgb[3 * i + 2] = blue[i];
        }
    }
    Gdiplus::GdiplusShutdown(token);
    FILE *out = std::fopen(argv[5], "wb");
    if (!out) return Fail("cannot write %s", argv[5]);
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
    if (std::fclose(out) != 0 || !written) return Fail("cannot write %s", argv[5]);
    std::printf("%d %d\n", w, h);
    return 0;
}

struct Command {
    const char *name;
    int (*run)(int, char **);
};

const Command kCommands[] = {
    {"wait-window", CmdWaitWindow},
    {"wait-gone", CmdWaitGone},
    {"rect", CmdRect},
    {"count", CmdCount},
    {"list", CmdList},
    {"click", CmdClick},
    {"post-click", CmdPostClick},
    {"rclick", CmdRightClick},
    {"move", CmdMove},
    {"down", CmdDown},
    {"up", CmdUp},
    {"key", CmdKey},
    {"char", CmdChar},
    {"quit", CmdQuit},
    {"msgbox", CmdMsgBox},
    {"msgbox-ok", CmdMsgBoxOk},
    {"msgbox-press", CmdMsgBoxPress},
    {"dialog-button", CmdDialogButton},
    {"file-dialog", CmdFileDialog},
    {"file-dialog-cancel", CmdFileDialogCancel},
    {"color-dialog", CmdColorDialog},
    {"color-dialog-cancel", CmdColorDialogCancel},
    {"screenshot", CmdScreenshot},
    {"pixel", CmdPixel},
    {"clipboard-pixel", CmdClipboardPixel},
    {"clipboard-put", CmdClipboardPut},
    {"change-display", CmdChangeDisplay},
    {"screen-size", CmdScreenSize},
    {"hold-file", CmdHoldFile},
    {"cover", CmdCover},
    {"gdi-objects", CmdGdiObjects},
    {"press-times", CmdPressTimes},
    {"press-log", CmdPressLog},
    {"decode-time", CmdDecodeTime},
    {"fitted-pixels", CmdFittedPixels},
};

}  // namespace

int main(int argc, char **argv) {
    // Wine hands us Unix pipes; keep the line ends as written.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc >= 2)
        for (const Command &c : kCommands)
            if (std::strcmp(argv[1], c.name) == 0) {
                const int rc = c.run(argc, argv);
                std::fflush(stdout);
                return rc;
            }
    std::fputs("usage: flimauto COMMAND ARGS...\ncommands:", stderr);
    for (const Command &c : kCommands) std::fprintf(stderr, " %s", c.name);
    std::fputc('\n', stderr);
    return 1;
}
