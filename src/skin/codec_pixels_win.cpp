#include "skin/codec_pixels_win.h"

#include "skin/file_kind.h"
#include "skin/orientation.h"
#include "skin/skin_tables.h"
#include "skin/upright_image_win.h"

#include <vector>

namespace {

template <class T> void Drop(T*& object) {
    if (object != nullptr)
        object->Release();
    object = nullptr;
}

// The orientation the codec read from the photo's EXIF block; 0 when it gives none.
int CodecOrientation(IWICBitmapFrameDecode* frame) {
    IWICMetadataQueryReader* reader = nullptr;
    if (FAILED(frame->GetMetadataQueryReader(&reader)) || reader == nullptr)
        return 0;
    PROPVARIANT value;
    PropVariantInit(&value);
    int orientation = 0;
    if (SUCCEEDED(reader->GetMetadataByName(L"/app1/ifd/{ushort=274}", &value)) &&
        value.vt == VT_UI2)
        orientation = value.uiVal;
    PropVariantClear(&value);
    reader->Release();
    return orientation;
}

// A colour JPEG by its first bytes whose EXIF block, if any, says it is stored upright: decided
// before a decoder is made, which may decode the whole file at once.
bool UprightColourJpegFile(const char* path) {
    const std::vector<uint8_t> head = JpegFileHead(path);
    return JpegComponents(head.data(), head.size()) == 3 &&
           JpegOrientation(head.data(), head.size()) == StoredUpright;
}

// The codec may find an orientation that the head of the file does not hold.
bool CodecSaysUpright(IWICBitmapFrameDecode* frame) {
    const int orientation = CodecOrientation(frame);
    return orientation == 0 || orientation == StoredUpright;
}

} // namespace

bool CodecPixels::Open(const char* path) {
    Release();
    // Other names go the library's way without their head being read: a sticker's press pays
    // for no file read of its own.
    WCHAR wide[PathSize];
    if (FileKindOf(path) != JpgKind ||
        MultiByteToWideChar(CP_ACP, 0, path, -1, wide, PathSize) == 0 ||
        !UprightColourJpegFile(path))
        return false;
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))))
        return false;
    const HRESULT opened = factory->CreateDecoderFromFilename(
        wide, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder_);
    factory->Release();
    GUID container{};
    WICPixelFormatGUID format{};
    IWICBitmapFrameDecode* frame = nullptr;
    if (FAILED(opened) || FAILED(decoder_->GetContainerFormat(&container)) ||
        !IsEqualGUID(container, GUID_ContainerFormatJpeg) ||
        FAILED(decoder_->GetFrame(0, &frame)) || FAILED(frame->GetPixelFormat(&format)) ||
        !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ||
        FAILED(frame->GetSize(&width_, &height_)) || width_ == 0 || height_ == 0 ||
        width_ > 0x7fffffffU / 4 || height_ > 0x7fffffffU || !CodecSaysUpright(frame)) {
        Drop(frame);
        Release();
        return false;
    }
    frame_ = frame;
    return true;
}

CodecPixels::~CodecPixels() {
    Release();
}

bool CodecPixels::CopyRow(int y, uint8_t* out) {
    if (frame_ == nullptr || y < 0 || static_cast<UINT>(y) >= height_)
        return false;
    const WICRect row{0, y, static_cast<INT>(width_), 1};
    const UINT bytes = width_ * 3;
    return SUCCEEDED(frame_->CopyPixels(&row, bytes, bytes, out));
}

void CodecPixels::Release() {
    Drop(frame_);
    Drop(decoder_);
}
