#pragma once

#include <cstdint>

// Marks each frame as it starts to draw, with the steps the storm has taken
// for it. The programs we ship mark nothing (frame_marks_none.cpp, the
// library's own); a test build links an object file of its own that defines
// MarkFrame and counts the frames.
void MarkFrame(int64_t steps);
