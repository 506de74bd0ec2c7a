#include "shell/screens_win.h"

#include "capture/capture_screens_win.h"
#include "decorations/decoration_screens_win.h"
#include "effects/effect_screens_win.h"
#include "export/export_screen_win.h"
#include "picture/picture_window_win.h"

const WNDPROC ScreenProcedures[ScreenCountValue] = {
    StartScreenProc,      CameraScreenProc,     ColourScreenProc,   PerspectiveScreenProc,
    BackgroundScreenProc, PenScreenProc,        OrnamentScreenProc, SecondOrnamentScreenProc,
    ForegroundScreenProc, CoverScreenProc,      GalleryScreenProc,  ExportScreenProc,
    PictureWindowProc};
