// A sound player over MCI, owned by the clock strip and never shown. It holds at most one open
// device; open loads FileName synchronously, play hands the sound to the platform and returns at
// once, stop and close wait for the device. Only open and the "not open" checks ever raise:
// a sound that cannot start simply stays silent.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <functional>
#include <string>

#include "core/Exception.h"
#include "toolkit/WindowClass.h"

class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EMCIDeviceError"; }
};

// The platform's description of an MCI error code, or "Unknown error code" when it has none.
std::string MciErrorText(MCIERROR code);

class MediaPlayer : private tk::WindowTarget {
public:
    // What the last completion notice reported.
    enum NotifyResult { Successful = 0, Superseded = 1, Aborted = 2, Failure = 3 };

    MediaPlayer() = default;
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    std::string FileName;           // full path of the wave file; UTF-8
    std::function<void()> OnNotify; // called when a play ends or is cut off

    // Closes an open device first (a failing close is ignored), then opens FileName and stands
    // at its start. Raises EMCIDeviceError with the platform's text when the open fails.
    void Open();
    // Rewinds a medium that stands at its end, then starts playing and returns at once.
    // Raises EMCIDeviceError "No MCI device open" when nothing is open.
    void Play();
    // Raises EMCIDeviceError "No MCI device open" when nothing is open.
    void Stop();
    // Does nothing without a device; the player stays open when the device refuses to close.
    void Close() noexcept;

    // The player's record of its device. The strip acts on none of it; it tells why a sound stayed
    // silent or how a play ended, and the tests read it to see what reached the device.
    bool IsOpen() const noexcept { return open_; }
    MCIDEVICEID DeviceId() const noexcept { return deviceId_; }
    MCIERROR LastError() const noexcept { return lastError_; }              // of the last command
    NotifyResult NotifyValue() const noexcept { return notifyValue_; }      // of the last notice
    unsigned NotifyCount() const noexcept { return notifyCount_; }          // notices so far
    unsigned RewindCount() const noexcept { return rewindCount_; }          // plays that rewound first
    // Answers of the queries made right after open (0 when a query failed).
    DWORD Length() const noexcept { return length_; }
    DWORD DeviceType() const noexcept { return deviceType_; }
    bool CanPlay() const noexcept { return canPlay_; }
    // The window every command names for its notices; created by the first open.
    HWND Window() const noexcept { return window_.Get(); }

private:
    HWND EnsureWindow();
    void QueryDevice();
    DWORD StatusItem(DWORD item, MCIERROR* error = nullptr) const;
    DWORD Capability(DWORD item) const;
    void RequireOpen() const;
    void Notified(WPARAM flags);
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    tk::BoundWindow window_;
    bool open_ = false;
    MCIDEVICEID deviceId_ = 0;
    MCIERROR lastError_ = 0;
    NotifyResult notifyValue_ = Successful;
    unsigned notifyCount_ = 0;
    unsigned rewindCount_ = 0;
    DWORD length_ = 0;
    // The rest of what open asks the device, kept as the device answered; nothing reads it back,
    // as the two sounds are short, played whole, and have no picture.
    DWORD mode_ = 0;
    DWORD deviceType_ = 0;
    bool canPlay_ = false;
    bool canRecord_ = false;
    bool canEject_ = false;
    bool hasVideo_ = false;
    RECT sourceRect_{};
};
