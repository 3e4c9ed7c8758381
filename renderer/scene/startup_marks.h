#pragma once

// Marks the renderer's start-up steps as they end ("window", "cloud loaded",
// ...). The programs we ship mark nothing (startup_marks_none.cpp, the
// library's own); a benchmark build links an object file of its own that
// defines MarkStartup and times the steps.
void MarkStartup(const char* step);
