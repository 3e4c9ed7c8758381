#include <gtest/gtest.h>

#include "fake_media.h"
#include "music_player.h"
#include "saver_helpers.h"
#include "settings.h"
#include "text_encoding.h"

namespace {

using Commands = std::vector<std::string>;

const Commands kPollQueries = {"status cdaudio current track", "status cdaudio number of tracks",
                               "status cdaudio mode"};

Commands PollQueriesThen(const Commands& more)
{
    Commands commands = kPollQueries;
    commands.insert(commands.end(), more.begin(), more.end());
    return commands;
}

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_fakeMedia.Reset();
        BgmRepeatTrack = 0;
        BgmFile.clear();
        CdReady = kFalse;
        MciText.clear();
        ApiResult = 0;
    }

    // Polls once and gives the commands that poll sent.
    Commands Poll()
    {
        g_fakeMedia.sent.clear();
        CdPoll();
        return g_fakeMedia.Commands();
    }
};

} // namespace

TEST_F(MusicPlayerTest, RepeatTrackCutsOtherTracksShortAndStartsAgainWhenStopped)
{
    BgmRepeatTrack = 3;
    g_fakeMedia.track = 5;
    g_fakeMedia.playing = true;

    EXPECT_EQ(Poll(), PollQueriesThen(
                          {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_EQ(CdReady, kTrue);
    EXPECT_EQ(g_fakeMedia.track, 3);
    // Replies come through the 512-character buffer, the mode through its own
    // buffer of 256 with 255 passed.
    const std::vector<uint32_t> lengths = {512, 512, 255, 512, 512};
    for (size_t i = 0; i < lengths.size(); ++i)
        EXPECT_EQ(g_fakeMedia.sent[i].length, lengths[i]) << g_fakeMedia.sent[i].command;

    EXPECT_EQ(Poll(), kPollQueries) << "track 3 playing: left alone";

    g_fakeMedia.playing = false; // the device stopped after the track
    EXPECT_EQ(Poll(), PollQueriesThen(
                          {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_TRUE(g_fakeMedia.playing);
}

TEST_F(MusicPlayerTest, WithoutRepeatTrackAStoppedDiscPlaysOnFromWhereItIs)
{
    EXPECT_EQ(Poll(), PollQueriesThen({"play cdaudio"}));
    EXPECT_EQ(CdReady, kTrue);
    EXPECT_TRUE(g_fakeMedia.playing);

    g_fakeMedia.track = 5;
    EXPECT_EQ(Poll(), kPollQueries) << "any track may play";
}

TEST_F(MusicPlayerTest, FailedOrUnreadableQueryEndsPolling)
{
    BgmRepeatTrack = 3;

    g_fakeMedia.scripted["status cdaudio current track"] = {263, ""};
    EXPECT_EQ(Poll(), Commands{"status cdaudio current track"});
    EXPECT_EQ(CdReady, kFalse);
    EXPECT_EQ(ApiResult, 263);

    g_fakeMedia.scripted.clear();
    g_fakeMedia.scripted["status cdaudio number of tracks"] = {276, ""};
    EXPECT_EQ(Poll(),
              (Commands{"status cdaudio current track", "status cdaudio number of tracks"}));
    EXPECT_EQ(CdReady, kFalse);

    // A reply that speaks of an error, in whatever case, counts as one.
    g_fakeMedia.scripted.clear();
    g_fakeMedia.scripted["status cdaudio current track"] = {0, "drive error"};
    EXPECT_EQ(Poll(), Commands{"status cdaudio current track"});
    EXPECT_EQ(CdReady, kFalse);

    // A current track that is not a number fails once it is compared.
    g_fakeMedia.scripted["status cdaudio current track"] = {0, "??"};
    EXPECT_EQ(Poll(), kPollQueries);
    EXPECT_EQ(CdReady, kFalse);

    g_fakeMedia.scripted.clear();
    Poll();
    EXPECT_EQ(CdReady, kTrue) << "each poll starts ready";
}

TEST_F(MusicPlayerTest, RepeatTrackTheDiscLacksPlaysNothingAndPollingGoesOn)
{
    BgmRepeatTrack = 12;
    EXPECT_EQ(Poll(),
              PollQueriesThen({"status cdaudio position track 12", "play cdaudio from Error:282"}));
    EXPECT_EQ(CdReady, kTrue);
    EXPECT_FALSE(g_fakeMedia.playing);
}

TEST_F(MusicPlayerTest, CdOpenAndStopSendWithoutReplyBuffer)
{
    CdOpen();
    CdStop();
    EXPECT_EQ(g_fakeMedia.Commands(), (Commands{"open cdaudio", "set cdaudio time format tmsf",
                                                "stop cdaudio", "close cdaudio"}));
    for (const FakeMedia::Sent& sent : g_fakeMedia.sent)
        EXPECT_EQ(sent.length, 0u) << sent.command;
}

TEST_F(MusicPlayerTest, CommandsGiveTheirReplyOrTheirErrorText)
{
    std::string text = "before";
    EXPECT_EQ(MciCommand("", text), -1);
    EXPECT_EQ(text, AnsiFromUtf8("コマンド文字列が指定されていません"));
    EXPECT_TRUE(g_fakeMedia.sent.empty());

    g_fakeMedia.track = 4;
    EXPECT_EQ(MciStatus("status cdaudio current track"), "4");
    EXPECT_EQ(MciText, "4");

    g_fakeMedia.scripted["status cdaudio mode"] = {263, ""};
    EXPECT_EQ(MciStatus("status cdaudio mode"), "Error:263");
    EXPECT_EQ(MciText, g_fakeMedia.errorTexts[263]);
    EXPECT_EQ(ApiResult, 263);

    g_fakeMedia.scripted["status cdaudio mode"] = {500, ""};
    EXPECT_EQ(MciCommand("status cdaudio mode", text), 500);
    EXPECT_EQ(text, AnsiFromUtf8("Error (文字列が取れません)"));

    EXPECT_EQ(MciStatus(""), "Error:-1");
    EXPECT_EQ(ApiResult, -1);
}

TEST_F(MusicPlayerTest, PlayCommandTakesOnlyTheBoundsGiven)
{
    EXPECT_EQ(MciPlay("cdaudio", "", ""), 0);
    EXPECT_EQ(MciPlay("cdaudio", "02:00:00:00", "04:00:00:00"), 0);
    EXPECT_EQ(MciPlay("cdaudio", "", "04:00:00:00"), 0);
    EXPECT_EQ(MciPlay("cdaudio", "09:00:00:00", ""), 282);
    EXPECT_EQ(g_fakeMedia.Commands(),
              (Commands{"play cdaudio", "play cdaudio from 02:00:00:00 to 04:00:00:00",
                        "play cdaudio to 04:00:00:00", "play cdaudio from 09:00:00:00"}));
}

TEST_F(MusicPlayerTest, Mp3PlaysOnlyWhenItOpened)
{
    BgmFile = "C:\\Music\\rain song.mp3";
    const std::string open = "open \"C:\\Music\\rain song.mp3\" type MPEGVideo Alias MP3Play";
    Mp3Play();
    EXPECT_EQ(g_fakeMedia.Commands(), (Commands{open, "play MP3Play"}));
    Mp3Stop();
    EXPECT_EQ(g_fakeMedia.Commands(),
              (Commands{open, "play MP3Play", "stop MP3Play", "close MP3Play"}));
    for (const FakeMedia::Sent& sent : g_fakeMedia.sent)
        EXPECT_EQ(sent.length, 0u) << sent.command;

    g_fakeMedia.sent.clear();
    g_fakeMedia.scripted[open] = {275, ""};
    Mp3Play();
    EXPECT_EQ(g_fakeMedia.Commands(), Commands{open});
    EXPECT_EQ(ApiResult, 275);
}

TEST_F(MusicPlayerTest, Mp3RestartsFromItsBeginningOnlyWhenNotPlaying)
{
    g_fakeMedia.scripted["status MP3Play mode"] = {0, "playing"};
    EXPECT_EQ(Mp3IsPlaying(), kTrue);
    EXPECT_EQ(g_fakeMedia.sent.back().length, 30u);
    Mp3Loop();
    EXPECT_EQ(g_fakeMedia.Commands(), Commands(2, "status MP3Play mode"));

    // A failed query leaves the last reply to decide.
    g_fakeMedia.scripted["status MP3Play mode"] = {263, ""};
    EXPECT_EQ(Mp3IsPlaying(), kTrue);

    g_fakeMedia.scripted["status MP3Play mode"] = {0, "stopped"};
    g_fakeMedia.sent.clear();
    Mp3Loop();
    EXPECT_EQ(g_fakeMedia.Commands(),
              (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));

    g_fakeMedia.scripted["status MP3Play mode"] = {0, "paused"};
    EXPECT_EQ(Mp3IsPlaying(), kFalse);
}

TEST_F(MusicPlayerTest, WavLoopsOnlyWithAnOutputDevice)
{
    BgmFile = "C:\\Music\\rain.wav";
    g_fakeMedia.waveDevices = 0;
    WavPlay();
    EXPECT_TRUE(g_fakeMedia.sounds.empty());

    g_fakeMedia.waveDevices = 1;
    WavPlay();
    EXPECT_EQ(ApiResult, 1);
    WavStop();
    ASSERT_EQ(g_fakeMedia.sounds.size(), 2u);
    EXPECT_EQ(g_fakeMedia.sounds[0].name, BgmFile);
    EXPECT_EQ(g_fakeMedia.sounds[0].flags, 9u) << "SND_ASYNC | SND_LOOP";
    EXPECT_EQ(g_fakeMedia.sounds[1].name, "(none)");
    EXPECT_EQ(g_fakeMedia.sounds[1].flags, 0u);
}
