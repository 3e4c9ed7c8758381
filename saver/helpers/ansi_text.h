#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Paths and command lines are text in the system's ANSI code page. In a
// double-byte code page such as 932 (Japanese) a character may take two
// bytes, and the second can be any of 0x40 to 0xFC: '\' (0x5C) among them,
// as in 表, ソ, 能, 十 and 予. Such text is walked by characters, never by
// bytes. (':', '"', blanks and tabs are never a second byte.)

// Whether `byte` begins a two-byte character in the system's ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);

#ifndef _WIN32
// Away from Windows there is no system code page: the one whose characters
// IsAnsiLeadByte follows, 932 or a single-byte one (the default, 1252).
void UseAnsiCodePage(unsigned codePage);
#endif

// The bytes of the character that starts at `at`: 2 for a lead byte with
// a byte after it, otherwise 1.
size_t AnsiCharLength(const std::string& text, size_t at);

// Where each character of `text` starts.
std::vector<size_t> AnsiCharStarts(const std::string& text);
