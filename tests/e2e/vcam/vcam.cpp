// flimvcam: a virtual webcam for the end-to-end scenarios.
//
// A DirectShow video source filter in an in-process COM server. Registered with
// `wine regsvr32 /s flimvcam.dll`, it becomes a device of the video input category, so
// that Flimmer opens it as its camera. Its one output pin offers RGB24 frames in a list of
// sizes through IAMStreamConfig, names its category (capture) through IKsPropertySet, and
// delivers bottom-up frames of a known pattern from its own streaming thread into the
// downstream allocator.
//
// Cameras (REG_SZ in HKCU\Software\Flimmer Test\Virtual Camera, read by regsvr32): the friendly
// names of the devices, "Flimmer Test Camera" by default, comma-separated, at most 8. Each one
// is a device of its own with its own CLSID; registering again removes the devices no longer
// listed, which is how a scenario unplugs one for good.
//
// What a device does is read each time its filter is created, from the sub-key named after
// it (HKCU\Software\Flimmer Test\Virtual Camera\<name>) and then from the key itself
// (values missing = the defaults):
//   Sizes           REG_SZ    capabilities in order, "640x480,1280x720,960x720"
//   CurrentSize     REG_DWORD index of the size the device starts in, 0
//   CapsRecordSize  REG_DWORD record size that GetNumberOfCapabilities reports, 128
//   CurrentFormat   REG_SZ    "VideoInfo", or "VideoInfo2": GetFormat and the first offered
//                             media type then describe the current size as VIDEOINFOHEADER2
//   Frames          REG_DWORD 0: the stream runs but never delivers a frame, 1
//   FrameLimit      REG_DWORD frames delivered before the stream falls silent, 0: no limit
//   HoldAfter       REG_DWORD frames after which every frame repeats the last one (its counter
//                             stays), 0: never; a still picture that keeps arriving
//   Busy            REG_DWORD as a camera that another program holds: 1 Pause and Run fail
//                             (ERROR_BUSY), 2 the pin refuses to connect (VFW_E_CANNOT_CONNECT),
//                             3 creating the filter fails (E_ACCESSDENIED, so does BindToObject)
//   Lost            REG_DWORD 1: unplugged. Read live: a running stream reports EC_DEVICE_LOST
//                             to the graph once and delivers nothing more; a filter cannot be
//                             created (HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED)). Back
//                             to 0, the device is there again for the next filter.
// and what it reports goes to the sub-key "State":
//   SetFormat       REG_SZ    "WxH" of the last IAMStreamConfig::SetFormat call
//   Connected       REG_SZ    "WxH VideoInfo|VideoInfo2" of the connection
//   Delivered       REG_DWORD frames delivered since the filter was created
//   Created         REG_DWORD filters created since the key was made
//   Destroyed       REG_DWORD filters destroyed since the key was made
//   Camera          REG_SZ    friendly name of the device whose pin connected last
//   LostReported    REG_DWORD EC_DEVICE_LOST notifications sent
//
// The picture, with x and y counted from the top-left corner: the top 16 rows are grey at
// level (37 * n + 16) mod 256 in frame n = 0, 1, ...; below them blocks of 16 x 16 pixels
// with red (23 * (x / 16) + 40) mod 256, green (29 * (y / 16) + 70) mod 256 and blue 200
// where x / 16 + y / 16 is odd, else 50. tests/e2e/test_camera.py computes the same.

#include <windows.h>

#include <dshow.h>
#include <dvdmedia.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

namespace {

// {17741EF1-74D8-4A48-9C25-4B1A78DB8971}
const CLSID CameraClsid = {
    0x17741ef1, 0x74d8, 0x4a48, {0x9c, 0x25, 0x4b, 0x1a, 0x78, 0xdb, 0x89, 0x71}};
const wchar_t DefaultCameraName[] = L"Flimmer Test Camera";
constexpr int MaxCameras = 8;
const wchar_t ConfigKey[] = L"Software\\Flimmer Test\\Virtual Camera";
const wchar_t StateKey[] = L"Software\\Flimmer Test\\Virtual Camera\\State";
const wchar_t PinName[] = L"Capture";

// Device k is CameraClsid with k added to its last byte: device 0 keeps the CLSID that older
// prefixes registered.
CLSID ClsidOf(int k) {
    CLSID id = CameraClsid;
    id.Data4[7] = static_cast<BYTE>(id.Data4[7] + k);
    return id;
}

std::wstring ClsidText(int k) {
    wchar_t text[64];
    StringFromGUID2(ClsidOf(k), text, 64);
    return text;
}

constexpr REFERENCE_TIME FrameDuration = 10000000 / 15;
constexpr int StripRows = 16;

HMODULE Module = nullptr;
std::atomic<LONG> LiveObjects{0};
std::atomic<LONG> ServerLocks{0};

// ---- configuration and state values ---------------------------------------------------------

struct Config {
    std::vector<SIZE> sizes;
    int current = 0;
    int capsRecordSize = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    bool videoInfo2 = false;
    bool frames = true;
    DWORD frameLimit = 0;
    DWORD holdAfter = 0;
    DWORD busy = 0;
    std::wstring name;
};

std::wstring ReadString(HKEY key, const wchar_t* name, const wchar_t* fallback) {
    wchar_t text[512];
    DWORD type = 0, bytes = sizeof text - sizeof(wchar_t);
    if (key == nullptr ||
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return fallback;
    text[bytes / sizeof(wchar_t)] = L'\0';
    return text;
}

DWORD ReadNumber(HKEY key, const wchar_t* name, DWORD fallback) {
    DWORD value = 0, type = 0, bytes = sizeof value;
    if (key == nullptr ||
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    return value;
}

// The device's own sub-key first, then the common key.
struct ConfigKeys {
    HKEY own = nullptr, common = nullptr;
    explicit ConfigKeys(const std::wstring& name) {
        const std::wstring path = std::wstring(ConfigKey) + L"\\" + name;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &own) != ERROR_SUCCESS)
            own = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, ConfigKey, 0, KEY_READ, &common) != ERROR_SUCCESS)
            common = nullptr;
    }
    ~ConfigKeys() {
        if (own != nullptr)
            RegCloseKey(own);
        if (common != nullptr)
            RegCloseKey(common);
    }
    std::wstring String(const wchar_t* value, const wchar_t* fallback) const {
        return ReadString(own, value, ReadString(common, value, fallback).c_str());
    }
    DWORD Number(const wchar_t* value, DWORD fallback) const {
        return ReadNumber(own, value, ReadNumber(common, value, fallback));
    }
};

// The listed friendly names, in order; the default name when none is listed.
std::vector<std::wstring> CameraNames() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        key = nullptr;
    const std::wstring list = ReadString(key, L"Cameras", DefaultCameraName);
    if (key != nullptr)
        RegCloseKey(key);
    std::vector<std::wstring> names;
    size_t at = 0;
    while (at <= list.size() && names.size() < MaxCameras) {
        size_t end = list.find(L',', at);
        if (end == std::wstring::npos)
            end = list.size();
        std::wstring name = list.substr(at, end - at);
        while (!name.empty() && name.front() == L' ')
            name.erase(0, 1);
        while (!name.empty() && name.back() == L' ')
            name.pop_back();
        if (!name.empty())
            names.push_back(name);
        at = end + 1;
    }
    if (names.empty())
        names.push_back(DefaultCameraName);
    return names;
}

bool IsLost(const std::wstring& name) {
    return ConfigKeys(name).Number(L"Lost", 0) != 0;
}

Config ReadConfig(const std::wstring& name) {
    const ConfigKeys keys(name);
    Config c;
    c.name = name;
    const std::wstring sizes = keys.String(L"Sizes", L"640x480,1280x720,960x720");
    for (const wchar_t* p = sizes.c_str(); *p != L'\0';) {
        int w = 0, h = 0, used = 0;
        if (swscanf(p, L"%dx%d%n", &w, &h, &used) != 2 || used == 0)
            break;
        if (w > 0 && h > 0 && w <= 4096 && h <= 4096)
            c.sizes.push_back(SIZE{w, h});
        p += used;
        while (*p == L',' || *p == L' ')
            ++p;
    }
    if (c.sizes.empty())
        c.sizes.push_back(SIZE{640, 480});
    c.current = static_cast<int>(keys.Number(L"CurrentSize", 0));
    if (c.current < 0 || c.current >= static_cast<int>(c.sizes.size()))
        c.current = 0;
    c.capsRecordSize = static_cast<int>(keys.Number(L"CapsRecordSize", c.capsRecordSize));
    c.videoInfo2 = keys.String(L"CurrentFormat", L"VideoInfo") == L"VideoInfo2";
    c.frames = keys.Number(L"Frames", 1) != 0;
    c.frameLimit = keys.Number(L"FrameLimit", 0);
    c.busy = keys.Number(L"Busy", 0);
    c.holdAfter = keys.Number(L"HoldAfter", 0);
    return c;
}

void WriteState(const wchar_t* name, const std::wstring& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, StateKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void WriteState(const wchar_t* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, StateKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void CountUp(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, StateKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        key = nullptr;
    const DWORD count = ReadNumber(key, name, 0);
    if (key != nullptr)
        RegCloseKey(key);
    WriteState(name, count + 1);
}

std::wstring SizeText(LONG w, LONG h) {
    return std::to_wstring(w) + L"x" + std::to_wstring(h);
}

// ---- media types ---------------------------------------------------------------------------

LONG Stride(LONG width) {
    return (width * 3 + 3) & ~3;
}

void FreeMediaType(AM_MEDIA_TYPE& mt) {
    if (mt.cbFormat != 0)
        CoTaskMemFree(mt.pbFormat);
    mt.cbFormat = 0;
    mt.pbFormat = nullptr;
    if (mt.pUnk != nullptr) {
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

HRESULT CopyMediaType(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from) {
    to = from;
    if (from.cbFormat != 0) {
        to.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(from.cbFormat));
        if (to.pbFormat == nullptr) {
            to.cbFormat = 0;
            return E_OUTOFMEMORY;
        }
        std::memcpy(to.pbFormat, from.pbFormat, from.cbFormat);
    } else {
        to.pbFormat = nullptr;
    }
    if (to.pUnk != nullptr)
        to.pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CloneMediaType(const AM_MEDIA_TYPE& from) {
    auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (mt != nullptr && FAILED(CopyMediaType(*mt, from))) {
        CoTaskMemFree(mt);
        return nullptr;
    }
    return mt;
}

void FillHeader(BITMAPINFOHEADER& h, LONG w, LONG height) {
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = w;
    h.biHeight = height; // positive: bottom-up rows
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(Stride(w) * height);
}

// An RGB24 type of the size, as VIDEOINFOHEADER or VIDEOINFOHEADER2. Free with FreeMediaType.
bool MakeRgb24(AM_MEDIA_TYPE& mt, SIZE s, bool videoInfo2) {
    std::memset(&mt, 0, sizeof mt);
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = static_cast<ULONG>(Stride(s.cx) * s.cy);
    const ULONG bytes = videoInfo2 ? sizeof(VIDEOINFOHEADER2) : sizeof(VIDEOINFOHEADER);
    mt.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(bytes));
    if (mt.pbFormat == nullptr)
        return false;
    std::memset(mt.pbFormat, 0, bytes);
    mt.cbFormat = bytes;
    if (videoInfo2) {
        mt.formattype = FORMAT_VideoInfo2;
        auto* v = reinterpret_cast<VIDEOINFOHEADER2*>(mt.pbFormat);
        v->dwBitRate = mt.lSampleSize * 8 * 15;
        v->AvgTimePerFrame = FrameDuration;
        v->dwPictAspectRatioX = static_cast<DWORD>(s.cx);
        v->dwPictAspectRatioY = static_cast<DWORD>(s.cy);
        FillHeader(v->bmiHeader, s.cx, s.cy);
    } else {
        mt.formattype = FORMAT_VideoInfo;
        auto* v = reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat);
        v->dwBitRate = mt.lSampleSize * 8 * 15;
        v->AvgTimePerFrame = FrameDuration;
        FillHeader(v->bmiHeader, s.cx, s.cy);
    }
    return true;
}

// The bitmap header of a video type, or null when the type carries none.
const BITMAPINFOHEADER* HeaderOf(const AM_MEDIA_TYPE& mt) {
    if (mt.pbFormat == nullptr)
        return nullptr;
    if (mt.formattype == FORMAT_VideoInfo && mt.cbFormat >= sizeof(VIDEOINFOHEADER))
        return &reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader;
    if (mt.formattype == FORMAT_VideoInfo2 && mt.cbFormat >= sizeof(VIDEOINFOHEADER2))
        return &reinterpret_cast<const VIDEOINFOHEADER2*>(mt.pbFormat)->bmiHeader;
    return nullptr;
}

// ---- the picture ---------------------------------------------------------------------------

void PatternPixel(int x, int y, BYTE* bgr) {
    const int bx = x / 16, by = y / 16;
    bgr[0] = static_cast<BYTE>(((bx + by) % 2) != 0 ? 200 : 50);
    bgr[1] = static_cast<BYTE>((29 * by + 70) % 256);
    bgr[2] = static_cast<BYTE>((23 * bx + 40) % 256);
}

// The whole frame without its counter strip, bottom-up as delivered.
std::vector<BYTE> PatternFrame(LONG w, LONG h) {
    std::vector<BYTE> frame(static_cast<size_t>(Stride(w)) * h, 0);
    for (LONG y = 0; y < h; ++y) {
        BYTE* row = frame.data() + static_cast<size_t>(Stride(w)) * (h - 1 - y);
        for (LONG x = 0; x < w; ++x)
            PatternPixel(x, y, row + 3 * x);
    }
    return frame;
}

void DrawStrip(BYTE* frame, LONG w, LONG h, DWORD n) {
    const BYTE level = static_cast<BYTE>((37 * n + 16) % 256);
    for (LONG y = 0; y < StripRows && y < h; ++y)
        std::memset(frame + static_cast<size_t>(Stride(w)) * (h - 1 - y), level,
                    static_cast<size_t>(w) * 3);
}

// ---- COM objects ---------------------------------------------------------------------------

class Camera;

class MediaTypeList final : public IEnumMediaTypes {
  public:
    explicit MediaTypeList(std::vector<AM_MEDIA_TYPE> types) : types_(std::move(types)) {
        ++LiveObjects;
    }
    ~MediaTypeList() {
        for (AM_MEDIA_TYPE& mt : types_)
            FreeMediaType(mt);
        --LiveObjects;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IEnumMediaTypes) {
            *out = static_cast<IEnumMediaTypes*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** out, ULONG* fetched) override {
        if (out == nullptr || (count != 1 && fetched == nullptr))
            return E_POINTER;
        ULONG n = 0;
        while (n < count && next_ < types_.size()) {
            out[n] = CloneMediaType(types_[next_]);
            if (out[n] == nullptr)
                break;
            ++n;
            ++next_;
        }
        if (fetched != nullptr)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ += count;
        if (next_ > types_.size()) {
            next_ = types_.size();
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** out) override {
        if (out == nullptr)
            return E_POINTER;
        std::vector<AM_MEDIA_TYPE> copies(types_.size());
        for (size_t i = 0; i < types_.size(); ++i)
            CopyMediaType(copies[i], types_[i]);
        auto* clone = new (std::nothrow) MediaTypeList(std::move(copies));
        if (clone == nullptr)
            return E_OUTOFMEMORY;
        clone->next_ = next_;
        *out = clone;
        return S_OK;
    }

  private:
    std::atomic<ULONG> refs_{1};
    std::vector<AM_MEDIA_TYPE> types_;
    size_t next_ = 0;
};

// The output pin. Its lifetime is the filter's: references on it count on the filter.
class OutputPin final : public IPin, public IAMStreamConfig, public IKsPropertySet {
  public:
    explicit OutputPin(Camera& camera) : camera_(camera) {}
    ~OutputPin();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPin
    HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override {
        return E_UNEXPECTED; // an output pin never receives
    }
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* dir) override {
        if (dir == nullptr)
            return E_POINTER;
        *dir = PINDIR_OUTPUT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* mt) override {
        return mt != nullptr && Offered(*mt) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** out) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EndOfStream() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE BeginFlush() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE EndFlush() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override {
        return S_OK;
    }
    // IAMStreamConfig
    HRESULT STDMETHODCALLTYPE SetFormat(AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE GetFormat(AM_MEDIA_TYPE** mt) override;
    HRESULT STDMETHODCALLTYPE GetNumberOfCapabilities(int* count, int* size) override;
    HRESULT STDMETHODCALLTYPE GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) override;
    // IKsPropertySet
    HRESULT STDMETHODCALLTYPE Set(REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD) override {
        return E_PROP_SET_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD size,
                                  DWORD* returned) override;
    HRESULT STDMETHODCALLTYPE QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // For the filter.
    HRESULT Commit();
    void Decommit();
    bool Connected() const { return peer_ != nullptr; }
    void Stream(IReferenceClock* clock, const std::atomic<REFERENCE_TIME>& start,
                const std::atomic<int>& state, HANDLE quit);

  private:
    // The types offered, the current one first.
    std::vector<AM_MEDIA_TYPE> OfferedTypes() const;
    bool Offered(const AM_MEDIA_TYPE& mt) const;
    HRESULT TryConnection(IPin* receiver, const AM_MEDIA_TYPE& mt);
    HRESULT DecideAllocator(IMemInputPin* input, const AM_MEDIA_TYPE& mt);
    void ReleaseConnection();

    Camera& camera_;
    IPin* peer_ = nullptr;
    IMemInputPin* input_ = nullptr;
    IMemAllocator* allocator_ = nullptr;
    AM_MEDIA_TYPE connected_{};
    AM_MEDIA_TYPE chosen_{}; // set by SetFormat; majortype GUID_NULL until then
    std::vector<BYTE> picture_;
};

class PinList final : public IEnumPins {
  public:
    PinList(IBaseFilter* filter, IPin* pin) : filter_(filter), pin_(pin) {
        filter_->AddRef();
        ++LiveObjects;
    }
    ~PinList() {
        filter_->Release();
        --LiveObjects;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IEnumPins) {
            *out = static_cast<IEnumPins*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** out, ULONG* fetched) override {
        if (out == nullptr || (count != 1 && fetched == nullptr))
            return E_POINTER;
        ULONG n = 0;
        if (count > 0 && next_ == 0) {
            out[0] = pin_;
            pin_->AddRef();
            next_ = 1;
            n = 1;
        }
        if (fetched != nullptr)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ += count;
        if (next_ > 1) {
            next_ = 1;
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** out) override {
        if (out == nullptr)
            return E_POINTER;
        auto* clone = new (std::nothrow) PinList(filter_, pin_);
        if (clone == nullptr)
            return E_OUTOFMEMORY;
        clone->next_ = next_;
        *out = clone;
        return S_OK;
    }

  private:
    std::atomic<ULONG> refs_{1};
    IBaseFilter* filter_;
    IPin* pin_;
    ULONG next_ = 0;
};

class Camera final : public IBaseFilter, public IAMFilterMiscFlags {
  public:
    Camera(int index, const std::wstring& name)
        : config(ReadConfig(name)), index_(index), pin_(*this) {
        InitializeCriticalSection(&lock);
        ++LiveObjects;
        CountUp(L"Created");
    }
    ~Camera() {
        Stop();
        if (graphClock != nullptr)
            graphClock->Release();
        DeleteCriticalSection(&lock);
        --LiveObjects;
        CountUp(L"Destroyed");
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter ||
            iid == IID_IBaseFilter)
            *out = static_cast<IBaseFilter*>(this);
        else if (iid == IID_IAMFilterMiscFlags)
            *out = static_cast<IAMFilterMiscFlags*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    // IPersist
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        if (id == nullptr)
            return E_POINTER;
        *id = ClsidOf(index_);
        return S_OK;
    }
    // IMediaFilter
    HRESULT STDMETHODCALLTYPE Stop() override {
        EnterCriticalSection(&lock);
        const bool streaming = thread_ != nullptr;
        state = State_Stopped;
        LeaveCriticalSection(&lock);
        if (!streaming)
            return S_OK;
        SetEvent(quit_);
        // Unblocks a thread that waits for a buffer.
        pin_.Decommit();
        // The thread may be inside a downstream call that needs this thread's messages.
        for (;;) {
            const DWORD r = MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r != WAIT_OBJECT_0 + 1)
                break;
            MSG m;
            PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(thread_);
        CloseHandle(quit_);
        thread_ = quit_ = nullptr;
        if (clock_ != nullptr) {
            clock_->Release();
            clock_ = nullptr;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Pause() override {
        if (config.busy == 1)
            return HRESULT_FROM_WIN32(ERROR_BUSY);
        EnterCriticalSection(&lock);
        HRESULT hr = S_OK;
        if (state == State_Stopped && pin_.Connected())
            hr = StartThread();
        if (SUCCEEDED(hr))
            state = State_Paused;
        LeaveCriticalSection(&lock);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override {
        if (config.busy == 1)
            return HRESULT_FROM_WIN32(ERROR_BUSY);
        HRESULT hr = S_OK;
        if (state == State_Stopped)
            hr = Pause();
        if (FAILED(hr))
            return hr;
        start_ = start;
        state = State_Running;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetState(DWORD, FILTER_STATE* s) override {
        if (s == nullptr)
            return E_POINTER;
        *s = static_cast<FILTER_STATE>(state.load());
        // A live source has nothing to show while paused.
        return *s == State_Paused ? VFW_S_CANT_CUE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override {
        EnterCriticalSection(&lock);
        if (clock != nullptr)
            clock->AddRef();
        if (graphClock != nullptr)
            graphClock->Release();
        graphClock = clock;
        LeaveCriticalSection(&lock);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override {
        if (clock == nullptr)
            return E_POINTER;
        EnterCriticalSection(&lock);
        *clock = graphClock;
        if (graphClock != nullptr)
            graphClock->AddRef();
        LeaveCriticalSection(&lock);
        return S_OK;
    }
    // IBaseFilter
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = new (std::nothrow) PinList(this, &pin_);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override {
        if (id == nullptr || pin == nullptr)
            return E_POINTER;
        if (std::wcscmp(id, PinName) != 0) {
            *pin = nullptr;
            return VFW_E_NOT_FOUND;
        }
        *pin = &pin_;
        pin_.AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override {
        if (info == nullptr)
            return E_POINTER;
        std::wcsncpy(info->achName, name_, MAX_FILTER_NAME - 1);
        info->achName[MAX_FILTER_NAME - 1] = L'\0';
        info->pGraph = graph_;
        if (graph_ != nullptr)
            graph_->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override {
        // The graph holds the filter: a reference back would keep both alive.
        EnterCriticalSection(&lock);
        graph_ = graph;
        LeaveCriticalSection(&lock);
        name_[0] = L'\0';
        if (name != nullptr) {
            std::wcsncpy(name_, name, MAX_FILTER_NAME - 1);
            name_[MAX_FILTER_NAME - 1] = L'\0';
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }
    // IAMFilterMiscFlags
    ULONG STDMETHODCALLTYPE GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

    // Streaming thread: the unplugged device tells the graph, once.
    void ReportLost() {
        EnterCriticalSection(&lock);
        IMediaEventSink* sink = nullptr;
        if (graph_ != nullptr)
            graph_->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink));
        LeaveCriticalSection(&lock);
        if (sink != nullptr) {
            sink->Notify(EC_DEVICE_LOST,
                         reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)), 0);
            sink->Release();
            CountUp(L"LostReported");
        }
    }

    const Config config;
    CRITICAL_SECTION lock;
    std::atomic<int> state{State_Stopped};
    IReferenceClock* graphClock = nullptr;

  private:
    HRESULT StartThread() {
        HRESULT hr = pin_.Commit();
        if (FAILED(hr))
            return hr;
        quit_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        clock_ = graphClock;
        if (clock_ != nullptr)
            clock_->AddRef();
        thread_ = CreateThread(nullptr, 0, StreamMain, this, 0, nullptr);
        if (thread_ == nullptr) {
            pin_.Decommit();
            CloseHandle(quit_);
            quit_ = nullptr;
            return E_FAIL;
        }
        return S_OK;
    }
    static DWORD WINAPI StreamMain(void* self) {
        auto* c = static_cast<Camera*>(self);
        c->pin_.Stream(c->clock_, c->start_, c->state, c->quit_);
        return 0;
    }

    std::atomic<ULONG> refs_{1};
    const int index_;
    OutputPin pin_;
    IFilterGraph* graph_ = nullptr;
    wchar_t name_[MAX_FILTER_NAME] = L"";
    HANDLE thread_ = nullptr;
    HANDLE quit_ = nullptr;
    IReferenceClock* clock_ = nullptr;
    std::atomic<REFERENCE_TIME> start_{0};
};

// ---- the pin -------------------------------------------------------------------------------

OutputPin::~OutputPin() {
    ReleaseConnection();
    FreeMediaType(chosen_);
}

HRESULT OutputPin::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPin)
        *out = static_cast<IPin*>(this);
    else if (iid == IID_IAMStreamConfig)
        *out = static_cast<IAMStreamConfig*>(this);
    else if (iid == IID_IKsPropertySet)
        *out = static_cast<IKsPropertySet*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG OutputPin::AddRef() {
    return camera_.AddRef();
}
ULONG OutputPin::Release() {
    return camera_.Release();
}

std::vector<AM_MEDIA_TYPE> OutputPin::OfferedTypes() const {
    const Config& c = camera_.config;
    std::vector<AM_MEDIA_TYPE> types;
    AM_MEDIA_TYPE mt;
    if (chosen_.majortype != GUID_NULL) {
        if (SUCCEEDED(CopyMediaType(mt, chosen_)))
            types.push_back(mt);
    } else if (MakeRgb24(mt, c.sizes[c.current], c.videoInfo2)) {
        types.push_back(mt);
    }
    for (SIZE s : c.sizes)
        if (MakeRgb24(mt, s, false))
            types.push_back(mt);
    return types;
}

bool OutputPin::Offered(const AM_MEDIA_TYPE& mt) const {
    const BITMAPINFOHEADER* h = HeaderOf(mt);
    if (mt.majortype != MEDIATYPE_Video || mt.subtype != MEDIASUBTYPE_RGB24 || h == nullptr ||
        h->biBitCount != 24 || h->biCompression != BI_RGB)
        return false;
    if (mt.formattype == FORMAT_VideoInfo2 && !camera_.config.videoInfo2)
        return false;
    for (SIZE s : camera_.config.sizes)
        if (h->biWidth == s.cx && h->biHeight == s.cy)
            return true;
    return false;
}

// Whether a fully given type matches the partial one the caller asked for.
bool Matches(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE* partial) {
    if (partial == nullptr)
        return true;
    if (partial->majortype != GUID_NULL && partial->majortype != full.majortype)
        return false;
    if (partial->subtype != GUID_NULL && partial->subtype != full.subtype)
        return false;
    if (partial->formattype != GUID_NULL) {
        if (partial->formattype != full.formattype)
            return false;
        const BITMAPINFOHEADER* a = HeaderOf(*partial);
        const BITMAPINFOHEADER* b = HeaderOf(full);
        if (a != nullptr && b != nullptr &&
            (a->biWidth != b->biWidth || a->biHeight != b->biHeight))
            return false;
    }
    return true;
}

HRESULT OutputPin::Connect(IPin* receiver, const AM_MEDIA_TYPE* mt) {
    if (receiver == nullptr)
        return E_POINTER;
    EnterCriticalSection(&camera_.lock);
    HRESULT hr = VFW_E_NO_ACCEPTABLE_TYPES;
    if (peer_ != nullptr)
        hr = VFW_E_ALREADY_CONNECTED;
    else if (camera_.state != State_Stopped)
        hr = VFW_E_NOT_STOPPED;
    else if (camera_.config.busy == 2)
        hr = VFW_E_CANNOT_CONNECT;
    else {
        std::vector<AM_MEDIA_TYPE> types = OfferedTypes();
        for (AM_MEDIA_TYPE& t : types) {
            if (peer_ == nullptr && Matches(t, mt) && SUCCEEDED(TryConnection(receiver, t)))
                hr = S_OK;
            FreeMediaType(t);
        }
    }
    LeaveCriticalSection(&camera_.lock);
    return hr;
}

HRESULT OutputPin::TryConnection(IPin* receiver, const AM_MEDIA_TYPE& mt) {
    HRESULT hr = receiver->ReceiveConnection(this, &mt);
    if (FAILED(hr))
        return hr;
    IMemInputPin* input = nullptr;
    hr = receiver->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
    if (SUCCEEDED(hr)) {
        hr = DecideAllocator(input, mt);
        if (FAILED(hr))
            input->Release();
    }
    if (FAILED(hr)) {
        receiver->Disconnect();
        return hr;
    }
    peer_ = receiver;
    peer_->AddRef();
    input_ = input;
    CopyMediaType(connected_, mt);
    const BITMAPINFOHEADER* h = HeaderOf(connected_);
    picture_ = PatternFrame(h->biWidth, h->biHeight);
    WriteState(L"Connected",
               SizeText(h->biWidth, h->biHeight) +
                   (mt.formattype == FORMAT_VideoInfo2 ? L" VideoInfo2" : L" VideoInfo"));
    WriteState(L"Camera", camera_.config.name);
    return S_OK;
}

HRESULT OutputPin::DecideAllocator(IMemInputPin* input, const AM_MEDIA_TYPE& mt) {
    ALLOCATOR_PROPERTIES wanted{};
    input->GetAllocatorRequirements(&wanted); // often not implemented: the defaults below do
    ALLOCATOR_PROPERTIES ask{};
    ask.cBuffers = wanted.cBuffers > 2 ? wanted.cBuffers : 2;
    ask.cbBuffer = static_cast<LONG>(mt.lSampleSize) > wanted.cbBuffer
                       ? static_cast<LONG>(mt.lSampleSize)
                       : wanted.cbBuffer;
    ask.cbAlign = wanted.cbAlign > 1 ? wanted.cbAlign : 1;
    ask.cbPrefix = wanted.cbPrefix;

    // The downstream allocator first, then a memory allocator of our own.
    for (int attempt = 0; attempt < 2; ++attempt) {
        IMemAllocator* allocator = nullptr;
        HRESULT hr = attempt == 0 ? input->GetAllocator(&allocator)
                                  : CoCreateInstance(CLSID_MemoryAllocator, nullptr,
                                                     CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                                     reinterpret_cast<void**>(&allocator));
        if (FAILED(hr) || allocator == nullptr)
            continue;
        ALLOCATOR_PROPERTIES got{};
        hr = allocator->SetProperties(&ask, &got);
        if (SUCCEEDED(hr) && got.cbBuffer >= static_cast<LONG>(mt.lSampleSize))
            hr = input->NotifyAllocator(allocator, FALSE);
        else if (SUCCEEDED(hr))
            hr = E_FAIL;
        if (SUCCEEDED(hr)) {
            allocator_ = allocator;
            return S_OK;
        }
        allocator->Release();
    }
    return VFW_E_NO_ALLOCATOR;
}

void OutputPin::ReleaseConnection() {
    if (allocator_ != nullptr)
        allocator_->Release();
    if (input_ != nullptr)
        input_->Release();
    if (peer_ != nullptr)
        peer_->Release();
    allocator_ = nullptr;
    input_ = nullptr;
    peer_ = nullptr;
    FreeMediaType(connected_);
    std::memset(&connected_, 0, sizeof connected_);
}

HRESULT OutputPin::Disconnect() {
    EnterCriticalSection(&camera_.lock);
    HRESULT hr = S_OK;
    if (camera_.state != State_Stopped)
        hr = VFW_E_NOT_STOPPED;
    else if (peer_ == nullptr)
        hr = S_FALSE;
    else
        ReleaseConnection();
    LeaveCriticalSection(&camera_.lock);
    return hr;
}

HRESULT OutputPin::ConnectedTo(IPin** pin) {
    if (pin == nullptr)
        return E_POINTER;
    EnterCriticalSection(&camera_.lock);
    *pin = peer_;
    if (peer_ != nullptr)
        peer_->AddRef();
    LeaveCriticalSection(&camera_.lock);
    return *pin != nullptr ? S_OK : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::ConnectionMediaType(AM_MEDIA_TYPE* mt) {
    if (mt == nullptr)
        return E_POINTER;
    EnterCriticalSection(&camera_.lock);
    HRESULT hr = VFW_E_NOT_CONNECTED;
    if (peer_ != nullptr)
        hr = CopyMediaType(*mt, connected_);
    else
        std::memset(mt, 0, sizeof *mt);
    LeaveCriticalSection(&camera_.lock);
    return hr;
}

HRESULT OutputPin::QueryPinInfo(PIN_INFO* info) {
    if (info == nullptr)
        return E_POINTER;
    info->pFilter = &camera_;
    camera_.AddRef();
    info->dir = PINDIR_OUTPUT;
    std::wcsncpy(info->achName, PinName, MAX_PIN_NAME - 1);
    info->achName[MAX_PIN_NAME - 1] = L'\0';
    return S_OK;
}

HRESULT OutputPin::QueryId(LPWSTR* id) {
    if (id == nullptr)
        return E_POINTER;
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof PinName));
    if (*id == nullptr)
        return E_OUTOFMEMORY;
    std::memcpy(*id, PinName, sizeof PinName);
    return S_OK;
}

HRESULT OutputPin::EnumMediaTypes(IEnumMediaTypes** out) {
    if (out == nullptr)
        return E_POINTER;
    EnterCriticalSection(&camera_.lock);
    *out = new (std::nothrow) MediaTypeList(OfferedTypes());
    LeaveCriticalSection(&camera_.lock);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT OutputPin::SetFormat(AM_MEDIA_TYPE* mt) {
    if (mt == nullptr)
        return E_POINTER;
    if (const BITMAPINFOHEADER* h = HeaderOf(*mt))
        WriteState(L"SetFormat", SizeText(h->biWidth, h->biHeight));
    else
        WriteState(L"SetFormat", L"no video header");
    EnterCriticalSection(&camera_.lock);
    HRESULT hr = S_OK;
    if (camera_.state != State_Stopped)
        hr = VFW_E_NOT_STOPPED;
    else if (peer_ != nullptr)
        hr = VFW_E_ALREADY_CONNECTED;
    else if (!Offered(*mt) || mt->formattype != FORMAT_VideoInfo)
        hr = VFW_E_INVALIDMEDIATYPE;
    else {
        FreeMediaType(chosen_);
        hr = CopyMediaType(chosen_, *mt);
        // The sample size follows the header, whatever the caller left in it.
        const BITMAPINFOHEADER* h = HeaderOf(chosen_);
        chosen_.lSampleSize = static_cast<ULONG>(Stride(h->biWidth) * h->biHeight);
        chosen_.bFixedSizeSamples = TRUE;
    }
    LeaveCriticalSection(&camera_.lock);
    return hr;
}

HRESULT OutputPin::GetFormat(AM_MEDIA_TYPE** mt) {
    if (mt == nullptr)
        return E_POINTER;
    EnterCriticalSection(&camera_.lock);
    if (peer_ != nullptr) {
        *mt = CloneMediaType(connected_);
    } else {
        std::vector<AM_MEDIA_TYPE> types = OfferedTypes();
        *mt = types.empty() ? nullptr : CloneMediaType(types[0]);
        for (AM_MEDIA_TYPE& t : types)
            FreeMediaType(t);
    }
    LeaveCriticalSection(&camera_.lock);
    return *mt != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT OutputPin::GetNumberOfCapabilities(int* count, int* size) {
    if (count == nullptr || size == nullptr)
        return E_POINTER;
    *count = static_cast<int>(camera_.config.sizes.size());
    *size = camera_.config.capsRecordSize;
    return S_OK;
}

HRESULT OutputPin::GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) {
    if (mt == nullptr || caps == nullptr)
        return E_POINTER;
    const std::vector<SIZE>& sizes = camera_.config.sizes;
    if (index < 0 || index >= static_cast<int>(sizes.size()))
        return S_FALSE;
    const SIZE s = sizes[index];
    AM_MEDIA_TYPE type;
    if (!MakeRgb24(type, s, false))
        return E_OUTOFMEMORY;
    *mt = CloneMediaType(type);
    FreeMediaType(type);
    if (*mt == nullptr)
        return E_OUTOFMEMORY;
    VIDEO_STREAM_CONFIG_CAPS c{};
    c.guid = FORMAT_VideoInfo;
    c.InputSize = c.MinCroppingSize = c.MaxCroppingSize = s;
    c.CropGranularityX = c.CropGranularityY = 1;
    c.CropAlignX = c.CropAlignY = 1;
    c.MinOutputSize = c.MaxOutputSize = s;
    c.MinFrameInterval = c.MaxFrameInterval = FrameDuration;
    c.MinBitsPerSecond = c.MaxBitsPerSecond = static_cast<LONG>((*mt)->lSampleSize * 8 * 15);
    std::memcpy(caps, &c, sizeof c);
    return S_OK;
}

HRESULT OutputPin::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD size,
                       DWORD* returned) {
    if (set != AMPROPSETID_Pin)
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    if (data == nullptr && returned == nullptr)
        return E_POINTER;
    if (returned != nullptr)
        *returned = sizeof(GUID);
    if (data == nullptr)
        return S_OK;
    if (size < sizeof(GUID))
        return E_UNEXPECTED;
    *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
    return S_OK;
}

HRESULT OutputPin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    if (set != AMPROPSETID_Pin)
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    if (support != nullptr)
        *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

HRESULT OutputPin::Commit() {
    return allocator_ != nullptr ? allocator_->Commit() : S_OK;
}

void OutputPin::Decommit() {
    if (allocator_ != nullptr)
        allocator_->Decommit();
}

void OutputPin::Stream(IReferenceClock* clock, const std::atomic<REFERENCE_TIME>& start,
                       const std::atomic<int>& state, HANDLE quit) {
    const BITMAPINFOHEADER* h = HeaderOf(connected_);
    const LONG w = h->biWidth, height = h->biHeight;
    const LONG bytes = static_cast<LONG>(picture_.size());
    REFERENCE_TIME next = 0;
    DWORD delivered = 0;
    bool first = true;
    bool lost = false;
    DWORD lostCheck = 0;
    while (WaitForSingleObject(quit, 0) != WAIT_OBJECT_0) {
        // Unplugged: a few registry reads a second, then silence for good.
        if (!lost && GetTickCount() - lostCheck >= 100) {
            lostCheck = GetTickCount();
            if (IsLost(camera_.config.name)) {
                lost = true;
                camera_.ReportLost();
            }
        }
        if (lost) {
            WaitForSingleObject(quit, 20);
            continue;
        }
        const DWORD limit = camera_.config.frameLimit;
        if (state != State_Running || !camera_.config.frames ||
            (limit != 0 && delivered >= limit)) {
            WaitForSingleObject(quit, 10);
            first = true;
            continue;
        }
        // A live source: frames carry the stream time at which they were taken.
        REFERENCE_TIME now = 0;
        const bool timed = clock != nullptr && SUCCEEDED(clock->GetTime(&now));
        const REFERENCE_TIME streamTime = now - start;
        if (timed && first) {
            next = streamTime > 0 ? streamTime : 0;
            first = false;
        }
        if (timed && streamTime < next) {
            const DWORD ms = static_cast<DWORD>((next - streamTime) / 10000);
            WaitForSingleObject(quit, ms > 0 ? ms : 1);
            continue;
        }
        IMediaSample* sample = nullptr;
        if (FAILED(allocator_->GetBuffer(&sample, nullptr, nullptr, 0)) || sample == nullptr) {
            WaitForSingleObject(quit, 5);
            continue;
        }
        BYTE* data = nullptr;
        if (SUCCEEDED(sample->GetPointer(&data)) && sample->GetSize() >= bytes) {
            std::memcpy(data, picture_.data(), picture_.size());
            const DWORD hold = camera_.config.holdAfter;
            DrawStrip(data, w, height, hold != 0 && delivered >= hold ? hold - 1 : delivered);
            sample->SetActualDataLength(bytes);
            REFERENCE_TIME end = next + FrameDuration;
            if (timed)
                sample->SetTime(&next, &end);
            sample->SetSyncPoint(TRUE);
            input_->Receive(sample);
            WriteState(L"Delivered", ++delivered);
        }
        sample->Release();
        next += FrameDuration;
        if (timed && next < streamTime)
            next = streamTime; // fell behind: no burst of late frames
        if (!timed)
            WaitForSingleObject(quit, static_cast<DWORD>(FrameDuration / 10000));
    }
}

// ---- the server ----------------------------------------------------------------------------

class Factory final : public IClassFactory {
  public:
    int index = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        const std::vector<std::wstring> names = CameraNames();
        if (index >= static_cast<int>(names.size()))
            return CLASS_E_CLASSNOTAVAILABLE;
        if (IsLost(names[index]))
            return HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);
        if (ReadConfig(names[index]).busy == 3)
            return E_ACCESSDENIED;
        auto* camera = new (std::nothrow) Camera(index, names[index]);
        if (camera == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = camera->QueryInterface(iid, out);
        camera->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            ++ServerLocks;
        else
            --ServerLocks;
        return S_OK;
    }
};

Factory Factories[MaxCameras];

LONG SetKeyValue(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
    HKEY key = nullptr;
    LONG r =
        RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (r != ERROR_SUCCESS)
        return r;
    r = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return r;
}

// Runs f with an IFilterMapper2 in a COM apartment of this thread.
template <class F> HRESULT WithMapper(F f) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IFilterMapper2* mapper = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFilterMapper2, reinterpret_cast<void**>(&mapper));
    if (SUCCEEDED(hr)) {
        hr = f(mapper);
        mapper->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return hr;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    for (int k = 0; k < MaxCameras; ++k)
        if (clsid == ClsidOf(k)) {
            Factories[k].index = k;
            return Factories[k].QueryInterface(iid, out);
        }
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
    return LiveObjects == 0 && ServerLocks == 0 ? S_OK : S_FALSE;
}

namespace {

// Every device of ours in the category, whatever its name: found by its CLSID.
void RemoveRegisteredCameras() {
    const std::wstring instances = L"CLSID\\{860BB310-5D01-11D0-BD3B-00A0C911CE86}\\Instance";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, instances.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::wstring> ours;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY device = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &device) != ERROR_SUCCESS)
            continue;
        const std::wstring clsid = ReadString(device, L"CLSID", L"");
        RegCloseKey(device);
        for (int k = 0; k < MaxCameras; ++k)
            if (_wcsicmp(clsid.c_str(), ClsidText(k).c_str()) == 0)
                ours.push_back(name);
    }
    RegCloseKey(key);
    for (const std::wstring& n : ours)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (instances + L"\\" + n).c_str());
}

} // namespace

STDAPI DllRegisterServer() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(Module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return E_FAIL;
    RemoveRegisteredCameras();
    const std::vector<std::wstring> names = CameraNames();
    for (int k = 0; k < static_cast<int>(names.size()); ++k) {
        const std::wstring clsidKey = L"CLSID\\" + ClsidText(k);
        const std::wstring serverKey = clsidKey + L"\\InprocServer32";
        if (SetKeyValue(clsidKey.c_str(), nullptr, names[k].c_str()) != ERROR_SUCCESS ||
            SetKeyValue(serverKey.c_str(), nullptr, path) != ERROR_SUCCESS ||
            SetKeyValue(serverKey.c_str(), L"ThreadingModel", L"Both") != ERROR_SUCCESS)
            return SELFREG_E_CLASS;
        const CLSID clsid = ClsidOf(k);
        const wchar_t* name = names[k].c_str();
        const HRESULT hr = WithMapper([&](IFilterMapper2* mapper) {
            static const REGPINTYPES type = {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24};
            REGFILTERPINS2 pin{};
            pin.dwFlags = REG_PINFLAG_B_OUTPUT;
            pin.cInstances = 1;
            pin.nMediaTypes = 1;
            pin.lpMediaType = &type;
            pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
            REGFILTER2 filter{};
            filter.dwVersion = 2;
            filter.dwMerit = MERIT_DO_NOT_USE;
            filter.cPins2 = 1;
            filter.rgPins2 = &pin;
            return mapper->RegisterFilter(clsid, name, nullptr, &CLSID_VideoInputDeviceCategory,
                                          name, &filter);
        });
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

STDAPI DllUnregisterServer() {
    RemoveRegisteredCameras();
    for (int k = 0; k < MaxCameras; ++k)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + ClsidText(k)).c_str());
    return S_OK;
}
