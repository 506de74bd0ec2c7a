// The picture as a flat card in space, seen through a pinhole camera.
#pragma once
#include <cstdint>

// Warp settings, kept for the whole run; the perspective screen steps them, the start screen
// resets them.
extern int WarpScaleX, WarpScaleY;             // card size, percent
extern int WarpShiftX, WarpShiftY, WarpShiftZ; // card offset, tenths of a model unit
extern int WarpTurnZ, WarpTurnX, WarpTurnY;    // spin, tilt, turn, degrees
extern int WarpDistance, WarpFocal;            // model units

// Every warp setting back to its start value (the picture shown unchanged).
void ResetWarpSettings();

// c = a * b for row-vector 4 x 4 matrices; c must be neither a nor b.
void MultiplyMatrix4(const double a[4][4], const double b[4][4], double c[4][4]);

// The back-mapping of the warp for a picture PictureWidth wide: the adjugate of the forward
// 3 x 3 mapping, so a destination point (x, y, 1) * adjugate is the source point before the
// perspective division. Note the argument order: spin comes before tilt here.
void BuildPerspectiveMatrix(float scaleX, float scaleY, float shiftX, float shiftY, float shiftZ,
                            float spin, float tilt, float turnY, float distance, float focal,
                            float adjugate[3][3]);

// One byte plane of PictureWidth x PictureHeight warped from source into destination (distinct
// planes). Destination pixels that see no part of the card are 0.
void WarpPlane(const uint8_t* source, uint8_t* destination, float scaleX, float scaleY,
               float shiftX, float shiftY, float shiftZ, float tilt, float turnY, float spin,
               float distance, float focal);

// The ten transform values as the settings give them, in WarpPlane's order.
struct WarpValues {
    float scaleX, scaleY, shiftX, shiftY, shiftZ, tilt, turnY, spin, distance, focal;
};
WarpValues CurrentWarpValues();

// The widest vector code the warp may use (the processor may allow less). Every path gives the
// same bytes; the choice exists so each can be checked against the others.
enum WarpPath { WarpPathScalar = 0, WarpPathSse2 = 1, WarpPathAvx2 = 2 };
void LimitWarpPath(int path);

// CurrentPicture recomputed from BasePicture with the current settings, then shown through
// ShowPlanesHook (nothing is shown while that is null).
void ApplyPerspective();
