// Ctrl+V: a picture from the clipboard becomes the picture to edit, fitted as an opened file is.
#pragma once

void PastePicture();
