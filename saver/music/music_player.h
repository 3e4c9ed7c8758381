#pragma once

#include <cstdint>
#include <string>

#include "saver_helpers.h"

// The background music: an audio CD, an MP3 file or a WAV file, as the
// settings choose (BgmKind, BgmRepeatTrack, BgmFile). CD and MP3 go through
// MCI command strings, WAV through PlaySoundA. Every failure is silent. The
// running saver calls these at its start, from its timers and at its end.

// True while CD polling may go on: false once a poll fails.
extern int16_t CdReady;
// Reply or error text of the last command sent through MciCommand.
extern std::string MciText;

// Sends `command`; `text` gets the reply, or the error text when the code is
// not 0. An empty command sends nothing and gives -1.
int32_t MciCommand(const std::string& command, std::string& text);
// The reply to a status query, or "Error:" and the code when it fails.
std::string MciStatus(const std::string& command);
// Sends "play <device>[ from <from>][ to <to>]"; its code.
int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

// Opens the CD audio device with track/minute/second/frame positions.
void CdOpen();
// One 200 ms tick: plays on when the disc has stopped, or goes back to the
// repeat track when it is on another; sets CdReady.
void CdPoll();
// Stops and closes the CD audio device.
void CdStop();

// Opens BgmFile as "MP3Play" and plays it when it opened.
void Mp3Play();
// Whether "MP3Play" plays; kTrue or kFalse.
int16_t Mp3IsPlaying();
// One 1000 ms tick: starts the file again from its beginning once it stopped.
void Mp3Loop();
// Stops and closes "MP3Play".
void Mp3Stop();

// Plays BgmFile over and over, without waiting; nothing without a wave
// output device.
void WavPlay();
// Stops the looping sound.
void WavStop();
