#include "frame_marks.h"

void MarkFrame(int64_t)
{
}
