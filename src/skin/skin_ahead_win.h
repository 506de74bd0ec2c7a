// A skin's pictures decoded ahead, on a thread of their own, while the program is busy with
// something else (decoding a photo): loading the skin then only copies their pixels.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

// Starts decoding the background and every state picture of the skin (none when a previous
// preparation is still unused).
void PrepareSkinPictures(const SkinDescriptor& skin);
// A device bitmap of a prepared picture of exactly w x h, waiting for the decoding first; null
// when the picture was not prepared or has another size (the caller loads it itself).
HBITMAP TakePreparedPicture(HDC windowDC, const char* path, int w, int h);
// Forgets what was prepared (once the skin is loaded).
void DropPreparedPictures();
