// The filters of the program's Open and Save dialogs.
#pragma once

enum FilterChoice { OpenAnyPicture = 0, SaveBmp, SaveJpeg, SavePng, SaveTiff };

// Description and pattern pairs, each zero-terminated, the list ended by a second zero.
const char* DialogFilter(FilterChoice choice);
