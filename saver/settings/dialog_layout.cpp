#include "dialog_layout.h"

namespace {

// The dialog as designed, in "ＭＳ Ｐゴシック" 9.75 points and Tahoma 8.25
// points.
const DialogLayout kJapanese = {
    496,
    246,
    {false, "ＭＳ Ｐゴシック", 13, true},
    {false, "Tahoma", 11, false},
    {12, 16, 469, 165},
    {20, 20, 113, 21},
    {{20, 24, 111, 13}, "BGM"},
    {{{28, 76, 13, 13}, {28, 56, 13, 13}, {28, 96, 13, 13}}},
    {{{{44, 76, 22, 13}, "なし"}, {{44, 56, 43, 13}, "音楽CD"}, {{44, 96, 60, 13}, "MP3、WAV"}}},
    {112, 52, 41, 20},
    {{156, 56, 66, 13}, "曲目をﾘﾋﾟｰﾄ"},
    {{112, 92, 41, 21}, "..."},
    {44, 116, 409, 33},
    {{12, 192, 165, 13}, "Designed by r-mosk Ver.1.0.0"},
    {{12, 208, 219, 13}, "Raivel's guide (README.txt)"},
    {{324, 200, 77, 25}, "設定"},
    {{404, 200, 77, 25}, "ｷｬﾝｾﾙ"},
    "README.txt",
    "ﾌｧｲﾙを開く",
    "BGMﾌｧｲﾙ (MP3 WAV)",
};

// Windows' message font (Segoe UI 9 points on Windows 10 and 11), texts 16
// pixels high; the kinds' captions wide enough for "MP3 or WAV file", so
// the track box and the file button stand further right.
const DialogLayout kEnglish = {
    496,
    246,
    {true, "", 0, false},
    {true, "", 0, false},
    {12, 16, 469, 165},
    {20, 18, 133, 23},
    {{21, 21, 131, 17}, "Background music"},
    {{{28, 76, 13, 13}, {28, 56, 13, 13}, {28, 96, 13, 13}}},
    {{{{44, 74, 100, 17}, "None"},
      {{44, 54, 100, 17}, "Music CD"},
      {{44, 94, 100, 17}, "MP3 or WAV file"}}},
    {150, 52, 41, 20},
    {{197, 54, 100, 17}, "Repeat track"},
    {{150, 92, 41, 21}, "..."},
    {44, 116, 409, 33},
    {{12, 186, 230, 17}, "Designed by r-mosk Ver.1.0.0"},
    {{12, 205, 230, 17}, "Raivel's guide (README-en.txt)"},
    {{324, 200, 77, 25}, "OK"},
    {{404, 200, 77, 25}, "Cancel"},
    "README-en.txt",
    "Open a music file",
    "Music files (MP3, WAV)",
};

} // namespace

const DialogLayout& DialogLayoutFor(Language language)
{
    return language == Language::Japanese ? kJapanese : kEnglish;
}
