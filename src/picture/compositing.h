// Laying decorations over the committed picture.
#pragma once
#include "skin/color_planes.h"

#include <cstdint>

enum BlendRule { WeightedBlend = 0, KeyedBlend = 4 };

// The decoration being placed: its per-channel weights (0 the picture shows, 255 the
// decoration does), its size, the picture position of its top-left pixel and its rule.
extern ColorPlanes DecorationWeights;
extern int DecorationX, DecorationY;
extern int DecorationWidth, DecorationHeight;
extern int BlendMode;

// Current = Base, then the decoration (decorationWidth x decorationHeight, row length
// decorationWidth) laid over it at (x, y), clipped to PictureWidth x PictureHeight.
void CompositeDecoration(const uint8_t* baseBlue, const uint8_t* baseGreen, const uint8_t* baseRed,
                         uint8_t* currentBlue, uint8_t* currentGreen, uint8_t* currentRed,
                         const uint8_t* decorationBlue, const uint8_t* decorationGreen,
                         const uint8_t* decorationRed, const uint8_t* weightBlue,
                         const uint8_t* weightGreen, const uint8_t* weightRed, int decorationWidth,
                         int decorationHeight, int x, int y, int blendMode);
// Current = Base weighted with a picture-sized decoration, pixel by pixel (rule 0).
void CompositeFullPicture(const uint8_t* decorationBlue, const uint8_t* decorationGreen,
                          const uint8_t* decorationRed, const uint8_t* baseBlue,
                          const uint8_t* baseGreen, const uint8_t* baseRed, uint8_t* currentBlue,
                          uint8_t* currentGreen, uint8_t* currentRed, const uint8_t* weightBlue,
                          const uint8_t* weightGreen, const uint8_t* weightRed, int rule);
// The placed decoration over BasePicture into CurrentPicture, as the drag and stamp do it.
void CompositePlacedDecoration();
