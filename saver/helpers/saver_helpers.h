#pragma once

#include <cstdint>
#include <string>

// Small helpers and process-wide values the saver's parts share.

// The saver's booleans are 16-bit: true is -1.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The display count ShowCursor returned when the run hid or showed the cursor.
extern int32_t CursorCount;
// The return value of the last Windows call whose result a procedure reads.
extern int32_t ApiResult;

// Paths and arguments are walked by the characters of the system's ANSI
// code page (ansi_text.h), never by bytes.

// True when the file can be opened for reading now. A trailing backslash is
// dropped first, so a folder never counts as a file.
bool FileExists(const std::string& path);

// The folder part of a path: up to its last ':' or '\', without a trailing
// backslash. "C:\a.mp3" gives "C:", a bare file name gives "".
std::string FolderOf(const std::string& path);

// `text` with its ASCII letters upper-cased; the bytes of two-byte
// characters stay as they are.
std::string UpperCase(std::string text);

// The last three characters of a file name, upper-cased: "MP3" or "WAV"
// for the music files.
std::string UpperEnding(const std::string& fileName);

// The mode letter of the saver's argument text: its second character,
// upper-cased ("/s" and "-S" give 'S'); none (0) when the text is shorter
// or that character is a two-byte one.
char ModeLetter(const std::string& arguments);
