#include "startup_marks.h"

void MarkStartup(const char*)
{
}
