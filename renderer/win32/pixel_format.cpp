#include "pixel_format.h"

bool SetStormPixelFormat(HDC dc, int bits)
{
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(bits);
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    const int chosen = ChoosePixelFormat(dc, &format);
    return chosen != 0 && SetPixelFormat(dc, chosen, &format);
}
