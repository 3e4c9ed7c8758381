#include "overlay_text.h"

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace {

// Glyphs of 5 x 7 cells, a row of five bits each from the top, the leftmost
// cell in the highest bit.
struct Glyph {
    char character;
    uint8_t rows[7];
};

constexpr Glyph kFont[] = {
    {'0', {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e}},
    {'1', {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e}},
    {'2', {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f}},
    {'3', {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e}},
    {'4', {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02}},
    {'5', {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e}},
    {'6', {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e}},
    {'7', {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e}},
    {'9', {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c}},
    {'F', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x10}},
    {'P', {0x1e, 0x11, 0x11, 0x1e, 0x10, 0x10, 0x10}},
    {'S', {0x0f, 0x10, 0x10, 0x0e, 0x01, 0x01, 0x1e}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1f}},
    {'o', {0x00, 0x00, 0x0e, 0x11, 0x11, 0x11, 0x0e}},
    {'a', {0x00, 0x00, 0x0e, 0x01, 0x0f, 0x11, 0x0f}},
    {'d', {0x01, 0x01, 0x0d, 0x13, 0x11, 0x11, 0x0f}},
    {':', {0x00, 0x0c, 0x0c, 0x00, 0x0c, 0x0c, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x0c}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kAdvance = 6;      // cells from one character to the next
constexpr int kLineAdvance = 10; // cells from one line to the next

const Glyph* FindGlyph(char c)
{
    for (const Glyph& glyph : kFont)
        if (glyph.character == c)
            return &glyph;
    return nullptr;
}

// Each lit cell of the text as a square, `grow` pixels larger on every side,
// the last line on the margin.
void DrawCells(const std::vector<std::string>& lines, int grow)
{
    const int bottom =
        kOverlayMargin + (static_cast<int>(lines.size()) - 1) * kLineAdvance * kOverlayCell;
    for (std::size_t line = 0; line < lines.size(); ++line) {
        const int base = bottom - static_cast<int>(line) * kLineAdvance * kOverlayCell;
        for (std::size_t at = 0; at < lines[line].size(); ++at) {
            const Glyph* glyph = FindGlyph(lines[line][at]);
            if (!glyph)
                continue;
            const int left = kOverlayMargin + static_cast<int>(at) * kAdvance * kOverlayCell;
            for (int row = 0; row < kGlyphHeight; ++row)
                for (int column = 0; column < kGlyphWidth; ++column) {
                    if (!(glyph->rows[row] >> (kGlyphWidth - 1 - column) & 1))
                        continue;
                    const int x = left + column * kOverlayCell;
                    const int y = base + (kGlyphHeight - 1 - row) * kOverlayCell;
                    glRecti(x - grow, y - grow, x + kOverlayCell + grow, y + kOverlayCell + grow);
                }
        }
    }
}

} // namespace

void DrawOverlayText(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    for (GLenum capability : {GL_DEPTH_TEST, GL_FOG, GL_TEXTURE_2D, GL_BLEND, GL_LIGHTING,
                              GL_CULL_FACE, GL_ALPHA_TEST, GL_SCISSOR_TEST})
        glDisable(capability);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glColor3f(0.0f, 0.0f, 0.0f);
    DrawCells(lines, 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawCells(lines, 0);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
