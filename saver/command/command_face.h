#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// How a Command button's face is put together: the frame copied from one of
// its 64 x 25 pictures around a vertical gradient, and the caption's place.

// One piece of the frame, in pixels: where it goes on the button and where
// it comes from in the picture. A size that differs from the source's is
// a stretch.
struct FacePiece {
    int left, top, width, height;
    int sourceLeft, sourceTop, sourceWidth, sourceHeight;
};

// The eight pieces of the frame of a button width x height pixels, in the
// order they are copied: corners of 4 pixels, edges stretched between them;
// the centre is left to the gradient. The geometry is worked out in twips in
// 16 bits: a piece that does not fit is left out.
std::vector<FacePiece> FacePieces(int width, int height);

// A colour as GradientFill takes it: each 8-bit channel in the high byte.
struct GradientColour {
    uint16_t red, green, blue;
};

// The gradient's top and bottom colours: white over (198, 197, 215), or the
// other way round with HoverShade.
std::pair<GradientColour, GradientColour> GradientEnds(int16_t hoverShade);

// The caption's top, in pixels, on a button `height` pixels high.
int CaptionTop(int height, int captionHeight);
