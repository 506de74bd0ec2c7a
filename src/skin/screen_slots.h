// Which slot of each screen's skin is which button: the one place that numbers them.
#pragma once

namespace StartSlot {
enum : int { Close = 0, Min = 1, Open = 2, Speaker = 3, Camera = 4 };
}
namespace CameraSlot {
enum : int {
    Close = 0,
    Min = 1,
    Snapshot = 2,
    Files = 3,
    Speaker = 4,
    Mirror = 5,
    Countdown = 6,
    Strip = 7,
};
// The live effects' picker: "none", then the gallery's fifteen effects in their order.
enum : int { FirstLiveEffect = 8, LiveEffectSlots = 16, LastLiveEffect = FirstLiveEffect + 15 };
enum : int {
    CameraName = LastLiveEffect + 1, // the camera in use; a press goes to the next one
    CameraSize = LastLiveEffect + 2, // the picture size asked of it; a press goes to the next smaller
};
}
// The title bar that every full-size editing screen shares.
namespace TitleSlot {
enum : int { Close = 0, Home = 1, Min = 2, Pre = 3, Ok = 4 };
}
namespace ColourSlot {
enum : int { Clears = 5, Undo = 6, Redo = 7, FirstPress = 8 };
}
// The turn and scale buttons' slots are their press codes (8..17).
namespace PerspectiveSlot {
enum : int { Clears = 5, Undo = 6, Redo = 7 };
}
namespace GallerySlot {
enum : int { Clears = 5, Back = 6, Forward = 7, FirstEffect = 8 };
}
// What the six decoration and pen screens share.
namespace DecorationSlot {
enum : int {
    Clears = 5,
    Back = 6,    // "Redos": one step back in the history
    Forward = 7, // "Undos": one step forward
    FirstSelector = 8,
    LastSelector = 13,
    PgUp = 14,
    PgDn = 15,
};
}
namespace BackgroundSlot {
enum : int { Enlarge = 16, Reduce = 17 };
}
namespace OrnamentSlot {
enum : int { Done = 16 };
}
namespace PenSlot {
enum : int { Enlarge = 14, Reduce = 15, Color = 16 };
}
namespace ExportSlot {
enum : int { Exit = 4, SaveBmp = 5, SavePng = 7, Paint = 9, Viewer = 10 };
}
