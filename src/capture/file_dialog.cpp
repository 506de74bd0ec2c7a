#include "capture/file_dialog.h"

const char* DialogFilter(FilterChoice choice) {
    // String literals add the final terminating zero themselves.
    switch (choice) {
    case OpenAnyPicture:
        return "Graph Files \0*.bmp;*.gif;*.jpg;*.jpeg;*.jfif;*.png;*.tif;*.tiff\0"
               "Bitmap Files (*.BMP)\0*.bmp\0"
               "GIF Files (*.GIF)\0*.gif\0"
               "JPEG Files (*.JPG)\0*.jpg;*.jpeg;*.jfif\0"
               "PNG Files (*.PNG)\0*.png\0"
               "TIFF Files (*.TIF)\0*.tif;*.tiff\0"
               "All Files (*.*)\0*.*\0";
    case SaveBmp:
        return "Bitmap Files (*.BMP)\0*.bmp\0";
    case SaveJpeg:
        return "JPEG Files (*.JPG)\0*.jpg\0";
    case SavePng:
        return "PNG Files (*.PNG)\0*.png\0";
    case SaveTiff:
        return "TIFF Files (*.TIF)\0*.tif\0";
    }
    return "\0";
}
