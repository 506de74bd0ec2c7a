#include "skin/color_planes.h"

#include <cstring>

ColorPlanes BasePicture;
ColorPlanes CurrentPicture;
ColorPlanes EntryPicture;
ColorPlanes DecorationPicture;
ColorPlanes GalleryPicture;

int PictureWidth = 0, PictureHeight = 0;

void CopyPlane(const uint8_t* source, uint8_t* destination) {
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return;
    std::memmove(destination, source,
                 static_cast<std::size_t>(PictureWidth) * static_cast<std::size_t>(PictureHeight));
}

void CopyPicture(const ColorPlanes& source, ColorPlanes& destination) {
    CopyPlane(source.blue, destination.blue);
    CopyPlane(source.green, destination.green);
    CopyPlane(source.red, destination.red);
}
