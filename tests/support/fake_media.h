#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "media_api.h"

// A stand-in for winmm: a CD audio device with a disc in it ("cdaudio",
// answering as the real one does), scripted answers for any other command,
// and a record of everything sent.
class FakeMedia : public MediaApi {
public:
    struct Sent {
        std::string command;
        uint32_t length; // of the reply buffer; 0 when none was passed
    };
    struct Answer {
        int32_t code;
        std::string reply;
    };
    struct Sound {
        std::string name; // "(none)" for a null name
        uint32_t flags;
    };

    int32_t SendString(const char* command, char* reply, uint32_t length) override;
    bool GetErrorString(int32_t code, char* buffer, uint32_t length) override;
    int32_t PlayWave(const char* sound, uint32_t flags) override;
    int32_t WaveOutDeviceCount() override { return waveDevices; }

    // Back to a stopped disc of 8 tracks on track 1, nothing scripted and
    // nothing sent.
    void Reset() { *this = FakeMedia(); }
    // The commands sent, in order.
    std::vector<std::string> Commands() const;

    // The disc: current track and whether it plays. "play cdaudio" plays on,
    // "play cdaudio from TT:MM:SS:FF" goes to track TT, "stop cdaudio" stops.
    int16_t tracks = 8;
    int16_t track = 1;
    bool playing = false;

    // Answers that take the place of the device's, by exact command.
    std::map<std::string, Answer> scripted;
    // Error texts mciGetErrorStringA knows; other codes have none.
    std::map<int32_t, std::string> errorTexts = {
        {263, "The specified device is not open or is not recognized by MCI."}};
    int32_t waveDevices = 1;

    std::vector<Sent> sent;
    std::vector<Sound> sounds;

private:
    Answer DeviceAnswer(const std::string& command);
};

// The stand-in the saver's code uses in the tests.
extern FakeMedia g_fakeMedia;
