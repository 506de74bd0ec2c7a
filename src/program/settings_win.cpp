#include "program/settings_win.h"

#include "common/text.h"
#include "program/program_win.h"

#include <mmsystem.h>
#include <shlobj.h>
#include <wtsapi32.h>

#include <cstdio>
#include <cstring>
#include <new>

char ProgramFolder[PathSize] = "";
char PicturesFolder[PathSize] = "";

namespace {

const char ProductKey[] = "Software\\Korvane\\Flimmer";
const char ConfigKey[] = "Software\\Korvane\\Flimmer\\Config";

HKEY OpenConfig(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ConfigKey, 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

// step names the failing call for a support question.
void ReportSettingsNotCreated(const char* step) {
    ShowReport("Error Register1ST",
               "Flimmer could not store its settings in the registry. It works anyway, but it "
               "will not remember your last picture or the sound setting.",
               "%s, Error Code=%i", step, (int)GetLastError());
}

} // namespace

int EnsureSettingsKey() {
    HKEY product = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ProductKey, 0, KEY_READ, &product) == ERROR_SUCCESS) {
        RegCloseKey(product);
        return 0;
    }
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ProductKey, 0, const_cast<char*>(""),
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &product,
                        &disposition) != ERROR_SUCCESS) {
        ReportSettingsNotCreated("RegCreateKeyEx");
        return 1;
    }
    const BYTE empty[1] = {0};
    if (RegSetValueExA(product, nullptr, 0, REG_SZ, empty, 1) != ERROR_SUCCESS) {
        ReportSettingsNotCreated("RegCreateKeyEx");
        RegCloseKey(product);
        return 1;
    }
    HKEY config = nullptr;
    if (RegCreateKeyExA(product, "Config", 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                        KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &config,
                        &disposition) != ERROR_SUCCESS) {
        ReportSettingsNotCreated("config, RegCreateKeyEx");
        RegCloseKey(product);
        return 1;
    }
    const DWORD speaker = 1;
    if (RegSetValueExA(config, "DefaultFile", 0, REG_SZ, empty, 1) != ERROR_SUCCESS ||
        RegSetValueExA(config, "Speaker", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&speaker),
                       sizeof speaker) != ERROR_SUCCESS) {
        ReportSettingsNotCreated("DefaultFile, RegSetValueEx");
        RegCloseKey(config);
        RegCloseKey(product);
        return 1;
    }
    RegCloseKey(config);
    RegCloseKey(product);
    return -1;
}

DWORD ReadSettingNumber(const char* name, DWORD fallback) {
    DWORD value = fallback;
    HKEY key = OpenConfig(KEY_READ);
    if (key == nullptr)
        return value;
    // A value of another type is taken as its first four bytes; a longer one is not read at all.
    BYTE data[4];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, nullptr, data, &size) == ERROR_SUCCESS && size > 0) {
        value = 0;
        std::memcpy(&value, data, size < 4 ? size : 4);
    }
    RegCloseKey(key);
    return value;
}

int ReadSettingString(const char* name, const char* fallback, char* out, DWORD size) {
    char local[PathSize];
    CopyText(local, fallback, sizeof local);
    HKEY key = OpenConfig(KEY_READ);
    if (key != nullptr) {
        // A full-length name comes with its terminator; one byte more is room for ours when
        // the stored text lacks one. Text that does not fit is not cut short into another name.
        char stored[PathSize + 1];
        DWORD bytes = PathSize;
        if (size < bytes)
            bytes = size;
        if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(stored),
                             &bytes) == ERROR_SUCCESS) {
            stored[bytes] = '\0';
            if (std::strlen(stored) < sizeof local)
                CopyText(local, stored, sizeof local);
        }
        RegCloseKey(key);
    }
    CopyText(out, local, size);
    return static_cast<int>(std::strlen(out)) + 1;
}

int WriteSettingString(const char* name, const char* text) {
    HKEY key = OpenConfig(KEY_SET_VALUE);
    if (key == nullptr)
        return 0;
    const LONG r = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                  static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? 1 : 0;
}

int WriteSettingNumber(const char* name, DWORD number) {
    HKEY key = OpenConfig(KEY_SET_VALUE);
    if (key == nullptr)
        return 0;
    const LONG r = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                  sizeof number);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? 1 : 0;
}

void RememberSwitch(const char* name, bool on, const char* what) {
    if (WriteSettingNumber(name, on ? 1 : 0) != 0)
        return;
    char sentence[256];
    std::snprintf(sentence, sizeof sentence,
                  "Flimmer could not remember the %s setting. The %s is switched for now, but "
                  "Flimmer will start with the old setting next time.",
                  what, what);
    ShowReport("Error", sentence, "Can't write %s flag to Registry!", name);
}

void SetUpFolders() {
    // My Pictures of the console session's user, when we may act as that user.
    HANDLE token = nullptr;
    WTSQueryUserToken(WTSGetActiveConsoleSessionId(), &token);
    ImpersonateLoggedOnUser(token);
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT,
                                PicturesFolder)))
        WriteDebugNote("szMYPICTURESPathName=%s", PicturesFolder);
    RevertToSelf();
    if (token != nullptr)
        CloseHandle(token);

    char exe[PathSize] = "";
    GetModuleFileNameA(nullptr, exe, PathSize);
    exe[PathSize - 1] = '\0';
    FolderOfPath(exe, ProgramFolder, PathSize);
    SetCurrentDirectoryA(ProgramFolder);
    MakeSkinPathsAbsolute(ProgramFolder);
}

namespace {

// Starting a sound makes the caller wait while the one still playing is stopped: sounds are
// started by a thread of their own, so that a press never waits for the click before it.
constexpr UINT PlaySoundRequest = WM_APP;
DWORD SoundThreadId = 0;
HANDLE SoundThread = nullptr;

DWORD WINAPI PlaySounds(void* ready) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists from here on
    SetEvent(static_cast<HANDLE>(ready));
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != PlaySoundRequest)
            continue;
        char* path = reinterpret_cast<char*>(msg.lParam);
        sndPlaySoundA(path, SND_ASYNC);
        delete[] path;
    }
    return 0;
}

bool StartSoundThread() {
    if (SoundThreadId != 0)
        return true;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (ready == nullptr)
        return false;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, PlaySounds, ready, 0, &id);
    if (thread != nullptr) {
        WaitForSingleObject(ready, INFINITE);
        SoundThread = thread;
        SoundThreadId = id;
    }
    CloseHandle(ready);
    return SoundThreadId != 0;
}

} // namespace

void PlayProgramSound(const char* name) {
    char path[PathSize];
    CopyText(path, ProgramFolder, PathSize);
    AppendText(path, "\\", PathSize);
    AppendText(path, name, PathSize);
    if (StartSoundThread()) {
        char* request = new (std::nothrow) char[PathSize];
        if (request != nullptr) {
            CopyText(request, path, PathSize);
            if (PostThreadMessageA(SoundThreadId, PlaySoundRequest, 0,
                                   reinterpret_cast<LPARAM>(request)))
                return;
            delete[] request;
        }
    }
    sndPlaySoundA(path, SND_ASYNC);
}

void StopProgramSounds() {
    if (SoundThread != nullptr) {
        // Requests already posted are started first; a thread that does not end soon is left.
        PostThreadMessageA(SoundThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(SoundThread, 2000);
        CloseHandle(SoundThread);
        SoundThread = nullptr;
        SoundThreadId = 0;
    }
    // Stops what plays and waits until its own thread has let go of the device.
    sndPlaySoundA(nullptr, 0);
}
