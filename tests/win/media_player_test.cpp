// The sound player against Wine's real MCI wave device, with the shipped sounds and with wave
// files written for the test.
#include <cstdint>
#include <cstring>
#include <utility>

#include "Support.h"
#include "helpers/TestFiles.h"
#include "platform/MediaPlayer.h"
#include "toolkit/Application.h"
#include "core/Exception.h"

using namespace testsupport;
using testfiles::TempFolder;

namespace {

// An 8-bit mono PCM wave of `samples` samples of silence at 8000 Hz.
std::string SilentWave(std::uint32_t samples) {
    auto le32 = [](std::uint32_t v) {
        return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    };
    auto le16 = [](std::uint16_t v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
    std::string format = le16(1) + le16(1) + le32(8000) + le32(8000) + le16(1) + le16(8);
    std::string body = "WAVE" + std::string("fmt ") + le32(16) + format + "data" + le32(samples) +
                       std::string(samples, char(0x80));
    if (samples % 2)
        body += '\0'; // chunks are word aligned
    return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

std::string Shipped(const char* name) {
    return testfiles::Utf8(testfiles::SourceFile("resources") / std::wstring(name, name + std::strlen(name)));
}

// Whether MCI still knows a device: a closed device's ID is refused.
bool DeviceExists(MCIDEVICEID device) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    return mciSendCommandW(device, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) !=
           MCIERR_INVALID_DEVICE_ID;
}

// How many MCI devices this process has open.
DWORD OpenDevices() {
    MCI_SYSINFO_PARMSW info{};
    DWORD count = 0;
    info.lpstrReturn = reinterpret_cast<LPWSTR>(&count);
    info.dwRetSize = sizeof count;
    const MCIERROR error = mciSendCommandW(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN,
                                           reinterpret_cast<DWORD_PTR>(&info));
    EXPECT_EQ(error, 0u);
    return count;
}

template <class Action>
std::string RaisedMessage(Action&& action) {
    try {
        action();
    } catch (const EMCIDeviceError& error) {
        EXPECT_STREQ(error.ClassName(), "EMCIDeviceError");
        return error.Message();
    }
    return "(nothing raised)";
}

class MediaPlayerTest : public testing::Test {
protected:
    void SetUp() override { StartWatchdog(); }
    void TearDown() override { StopWatchdog(); }
    TempFolder folder_{L"vandrel sounds"};
};

} // namespace

TEST_F(MediaPlayerTest, OpensPlaysAndStopsTheShippedSounds) {
    for (const char* name : {"call.wav", "wake.wav"}) {
        MediaPlayer player;
        player.FileName = Shipped(name);
        EXPECT_FALSE(player.IsOpen());
        EXPECT_EQ(player.Window(), nullptr); // made on first need

        player.Open();
        EXPECT_TRUE(player.IsOpen()) << name;
        EXPECT_NE(player.DeviceId(), 0u);
        EXPECT_EQ(player.LastError(), 0u);
        EXPECT_NE(player.Window(), nullptr);
        EXPECT_GT(player.Length(), 0u);
        EXPECT_TRUE(player.CanPlay());
        EXPECT_EQ(player.DeviceType(), static_cast<DWORD>(MCI_DEVTYPE_WAVEFORM_AUDIO));

        player.Play();
        EXPECT_EQ(player.LastError(), 0u) << MciErrorText(player.LastError());
        EXPECT_EQ(player.RewindCount(), 0u); // a fresh open stands at the start
        player.Stop();
        EXPECT_EQ(player.LastError(), 0u);
        EXPECT_TRUE(player.IsOpen()); // stop keeps the device
        player.Stop();                // stopping a stopped sound is harmless
        EXPECT_EQ(player.LastError(), 0u);
    }
}

TEST_F(MediaPlayerTest, ASoundThatStandsAtItsEndIsRewoundBeforeItPlays) {
    MediaPlayer player;
    player.FileName = Shipped("wake.wav");
    player.Open();
    MCI_SEEK_PARMS seek{};
    ASSERT_EQ(mciSendCommandW(player.DeviceId(), MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END,
                              reinterpret_cast<DWORD_PTR>(&seek)), 0u);
    player.Play();
    EXPECT_EQ(player.RewindCount(), 1u);
    player.Stop();
    player.Play(); // stopped near its start: played on from there
    EXPECT_EQ(player.RewindCount(), 1u);

    // Right after an open only a sound of length zero stands at its end.
    testfiles::WriteBytes(folder_ / L"empty.wav", SilentWave(0));
    player.FileName = testfiles::Utf8(folder_ / L"empty.wav");
    player.Open();
    EXPECT_EQ(player.Length(), 0u);
    player.Play();
    EXPECT_EQ(player.RewindCount(), 2u);
}

TEST_F(MediaPlayerTest, StoresTheOutcomeOfEachNoticeAndCallsOnNotify) {
    MediaPlayer player;
    player.FileName = Shipped("call.wav");
    int calls = 0;
    player.OnNotify = [&] { ++calls; };
    player.Open();
    player.Play(); // the platform's own notice: success, or failure without a sound device
    ASSERT_TRUE(PumpUntil([&] { return calls == 1; }, 10000));
    for (auto [flag, value] : {std::pair{MCI_NOTIFY_SUPERSEDED, MediaPlayer::Superseded},
                               std::pair{MCI_NOTIFY_ABORTED, MediaPlayer::Aborted},
                               std::pair{MCI_NOTIFY_FAILURE, MediaPlayer::Failure},
                               std::pair{MCI_NOTIFY_SUCCESSFUL, MediaPlayer::Successful}}) {
        SendMessageW(player.Window(), MM_MCINOTIFY, flag, player.DeviceId());
        EXPECT_EQ(player.NotifyValue(), value) << flag;
    }
    EXPECT_EQ(calls, 5);
}

TEST_F(MediaPlayerTest, OpeningAgainClosesTheEarlierDeviceFirst) {
    const DWORD devicesBefore = OpenDevices();
    MediaPlayer player;
    player.FileName = Shipped("call.wav");
    player.Open();
    EXPECT_EQ(OpenDevices(), devicesBefore + 1);
    player.Play();
    player.FileName = Shipped("wake.wav");
    player.Open();
    EXPECT_EQ(OpenDevices(), devicesBefore + 1); // the first one was closed, not left behind
    EXPECT_TRUE(DeviceExists(player.DeviceId()));
    EXPECT_TRUE(player.IsOpen());

    // The same file again: the exclusive device must have been given up before it is reopened.
    player.Open();
    EXPECT_TRUE(player.IsOpen());
    EXPECT_EQ(player.LastError(), 0u);
}

TEST_F(MediaPlayerTest, AMissingFileRaisesThePlatformsTextAndLeavesThePlayerClosed) {
    MediaPlayer player;
    player.FileName = Shipped("call.wav");
    player.Open();
    const MCIDEVICEID earlier = player.DeviceId();
    player.Play();

    player.FileName = testfiles::Utf8(folder_ / L"missing.wav");
    const std::string message = RaisedMessage([&] { player.Open(); });
    EXPECT_NE(player.LastError(), 0u);
    EXPECT_EQ(message, MciErrorText(player.LastError()));
    EXPECT_NE(message, "Unknown error code");
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(player.DeviceId(), 0u);
    EXPECT_FALSE(DeviceExists(earlier)); // the sound that played was cut off

    EXPECT_EQ(RaisedMessage([&] { player.Play(); }), "No MCI device open");
}

TEST_F(MediaPlayerTest, PlayAndStopWithoutAnOpenDeviceRaiseBeforeSendingAnything) {
    MediaPlayer player;
    player.FileName = Shipped("call.wav");
    EXPECT_EQ(RaisedMessage([&] { player.Play(); }), "No MCI device open");
    EXPECT_EQ(RaisedMessage([&] { player.Stop(); }), "No MCI device open");
    EXPECT_EQ(player.Window(), nullptr); // no command named a callback window
    EXPECT_EQ(player.LastError(), 0u);
    player.Close(); // nothing to close
    EXPECT_EQ(player.LastError(), 0u);
}

TEST_F(MediaPlayerTest, DestructionClosesAnOpenDevice) {
    MCIDEVICEID device = 0;
    {
        MediaPlayer player;
        player.FileName = Shipped("call.wav");
        player.Open();
        player.Play();
        device = player.DeviceId();
        ASSERT_TRUE(DeviceExists(device));
    }
    EXPECT_FALSE(DeviceExists(device));
}

TEST_F(MediaPlayerTest, AFailingNoticeHandlerIsReportedAndThePlayerGoesOn) {
    tk::Application application;
    BoxCatcher boxes;
    testfiles::WriteBytes(folder_ / L"short.wav", SilentWave(400));
    MediaPlayer player;
    player.FileName = testfiles::Utf8(folder_ / L"short.wav");
    player.OnNotify = [] { throw EInvalidOperation("handler failed"); };
    player.Open();
    player.Play();
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }, 10000));
    EXPECT_EQ(boxes.Boxes()[0].text, L"handler failed.");
    EXPECT_EQ(player.NotifyCount(), 1u);
    player.Play();
    EXPECT_EQ(player.LastError(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 2; }, 10000));
}

TEST(MciErrorText, FallsBackWhenThePlatformHasNoText) {
    EXPECT_EQ(MciErrorText(0xFFFF), "Unknown error code");
    EXPECT_NE(MciErrorText(MCIERR_FILE_NOT_FOUND), "Unknown error code");
}
