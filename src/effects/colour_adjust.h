// Brightness, colourfulness and hue: every pixel split into luma and a colour-difference pair,
// the pair turned polar, scaled and rotated, and turned back into bytes.
#pragma once
#include "skin/color_planes.h"

#include <cstdint>

// Luma gain and chroma gain in tenths (used clamped to 0..99), hue rotation in degrees (0..360).
extern int BrightnessStep;
extern int SaturationStep;
extern int HueShift;

// Work planes of the five stages, PictureWidth x PictureHeight values each.
extern int32_t LumaPlane[PlaneCapacity];
extern int32_t ChromaRPlane[PlaneCapacity];
extern int32_t ChromaBPlane[PlaneCapacity];
extern int32_t ChromaMagnitudePlane[PlaneCapacity];
extern int32_t ChromaHuePlane[PlaneCapacity];

// How the core shows a picture it has just computed: the picture window sets this to convert the
// planes into DisplayBitmap and paint them. Left null (unit tests), nothing is shown.
extern void (*ShowPlanesHook)(const ColorPlanes& picture);

// Back to 10, 10 and 0; the start screen calls this each time it opens. The first call also
// builds a fixed table of the chain (about 20 ms, once per run).
void ResetColourSettings();

// The gains as the chain uses them: clamp(step, 0, 99) / 10 in single precision.
float LumaGain();
float ChromaGain();

// The whole chain from BasePicture into CurrentPicture with the current settings, then shown.
void ApplyColourAdjust();
// Each changes its setting (the two gains only while stored within -32765..32766, the hue
// wrapping past 360 to 0 and below 0 to 360) and then calls ApplyColourAdjust.
void StepBrightness(int delta);
void StepSaturation(int delta);
void StepHue(int delta);
// The same changes of the settings alone, the picture left as it is.
void ChangeBrightness(int delta);
void ChangeSaturation(int delta);
void ChangeHue(int delta);

// The five stages over PictureWidth x PictureHeight values.
void ToLumaChroma(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int32_t* luma,
                  int32_t* chromaR, int32_t* chromaB);
void ChromaToPolar(const int32_t* chromaR, const int32_t* chromaB, int32_t* magnitude,
                   int32_t* hue);
// The outputs may be the inputs themselves.
void AdjustLumaChroma(const int32_t* luma, const int32_t* magnitude, const int32_t* hue,
                      int32_t* lumaOut, int32_t* magnitudeOut, int32_t* hueOut, float lumaGain,
                      float chromaGain, float hueShift);
void PolarToChroma(const int32_t* magnitude, const int32_t* hue, int32_t* chromaR,
                   int32_t* chromaB);
void LumaChromaToPlanes(const int32_t* luma, const int32_t* chromaR, const int32_t* chromaB,
                        uint8_t* blue, uint8_t* green, uint8_t* red);

// The five stages in order, from one picture into another (which may be the same one), in a
// single pass with the same result; shows nothing.
void AdjustColours(const ColorPlanes& in, ColorPlanes& out, float lumaGain, float chromaGain,
                   float hueShift);
