#pragma once

// Where the bitmap loader's messages go: a message box captioned "Error" in
// the renderer, standard error in the command-line tools. Each program links
// exactly one definition.
void ShowLoaderMessage(const char* text);
