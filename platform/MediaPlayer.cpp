#include "platform/MediaPlayer.h"

#include "toolkit/SystemLibraries.h"
#include "toolkit/Text.h"

namespace {

constexpr wchar_t kPlayerClass[] = L"VandrelMediaPlayer";

// The sound devices load at the first open, not at start. Only that first call can raise
// (tk::ELibraryLoadError): every later one finds the functions looked up.
constinit tk::SystemFunction<decltype(mciSendCommandW)> sendCommand{L"winmm.dll", "mciSendCommandW"};
constinit tk::SystemFunction<decltype(mciGetErrorStringW)> getErrorString{L"winmm.dll", "mciGetErrorStringW"};

template <class Parameters>
MCIERROR Send(MCIDEVICEID device, UINT command, DWORD_PTR flags, Parameters& parameters) {
    return sendCommand(device, command, flags, reinterpret_cast<DWORD_PTR>(&parameters));
}

} // namespace

std::string MciErrorText(MCIERROR code) {
    wchar_t buffer[4096]{};
    if (!getErrorString(code, buffer, 4096) || buffer[0] == L'\0')
        return "Unknown error code";
    return tk::Narrow(buffer);
}

// The window is unbound as it goes, so a notice still queued for it finds no player.
MediaPlayer::~MediaPlayer() { Close(); }

HWND MediaPlayer::EnsureWindow() {
    if (window_)
        return window_.Get();
    // It receives the completion notices and nothing else. Without it the commands still
    // work; only the notices are lost.
    window_ = tk::CreateMessageWindow(*this, kPlayerClass);
    return window_.Get();
}

void MediaPlayer::Open() {
    MCI_OPEN_PARMSW parameters{};
    if (open_)
        Close(); // a device that refuses to close is left behind; the new one replaces it
    const std::wstring element = tk::Widen(FileName);
    parameters.dwCallback = reinterpret_cast<DWORD_PTR>(EnsureWindow());
    parameters.lpstrElementName = element.c_str();
    lastError_ = Send(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, parameters);
    if (lastError_ != 0)
        throw EMCIDeviceError(MciErrorText(lastError_));
    open_ = true;
    deviceId_ = parameters.wDeviceID;
    QueryDevice();
}

DWORD MediaPlayer::StatusItem(DWORD item, MCIERROR* error) const {
    MCI_STATUS_PARMS parameters{};
    parameters.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
    parameters.dwItem = item;
    const MCIERROR result = Send(deviceId_, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, parameters);
    if (error)
        *error = result;
    return result == 0 ? static_cast<DWORD>(parameters.dwReturn) : 0;
}

DWORD MediaPlayer::Capability(DWORD item) const {
    MCI_GETDEVCAPS_PARMS parameters{};
    parameters.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
    parameters.dwItem = item;
    if (Send(deviceId_, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, parameters) != 0)
        return 0;
    return parameters.dwReturn;
}

// What the device is and holds. Nothing here is reported: a device that cannot answer a query
// can still play, and the answers only describe it.
void MediaPlayer::QueryDevice() {
    length_ = StatusItem(MCI_STATUS_LENGTH);
    canPlay_ = Capability(MCI_GETDEVCAPS_CAN_PLAY) != 0;
    canRecord_ = Capability(MCI_GETDEVCAPS_CAN_RECORD) != 0;
    canEject_ = Capability(MCI_GETDEVCAPS_CAN_EJECT) != 0;
    hasVideo_ = Capability(MCI_GETDEVCAPS_HAS_VIDEO) != 0;
    deviceType_ = Capability(MCI_GETDEVCAPS_DEVICE_TYPE);
    MCI_OVLY_RECT_PARMS where{};
    where.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
    sourceRect_ = Send(deviceId_, MCI_WHERE, MCI_WAIT | MCI_OVLY_WHERE_SOURCE, where) == 0 ? where.rc : RECT{};
    mode_ = StatusItem(MCI_STATUS_MODE);
}

void MediaPlayer::RequireOpen() const {
    if (!open_)
        throw EMCIDeviceError("No MCI device open");
}

void MediaPlayer::Play() {
    RequireOpen();
    // A sound that has played to its end stands there; rewind it so that it plays again.
    MCIERROR positionError = 0, lengthError = 0;
    const DWORD position = StatusItem(MCI_STATUS_POSITION, &positionError);
    const DWORD length = StatusItem(MCI_STATUS_LENGTH, &lengthError);
    if (positionError == 0 && lengthError == 0 && position == length) {
        MCI_SEEK_PARMS seek{};
        seek.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
        Send(deviceId_, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, seek);
        ++rewindCount_;
    }
    MCI_PLAY_PARMS parameters{};
    parameters.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
    lastError_ = Send(deviceId_, MCI_PLAY, MCI_NOTIFY, parameters);
}

void MediaPlayer::Stop() {
    RequireOpen();
    MCI_GENERIC_PARMS parameters{};
    parameters.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
    lastError_ = Send(deviceId_, MCI_STOP, MCI_WAIT, parameters);
}

void MediaPlayer::Close() noexcept {
    if (deviceId_ == 0)
        return;
    MCI_GENERIC_PARMS parameters{};
    parameters.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Get());
    lastError_ = Send(deviceId_, MCI_CLOSE, MCI_WAIT, parameters);
    if (lastError_ == 0) {
        open_ = false;
        deviceId_ = 0;
    }
}

void MediaPlayer::Notified(WPARAM flags) {
    switch (flags) {
    case MCI_NOTIFY_SUCCESSFUL: notifyValue_ = Successful; break;
    case MCI_NOTIFY_SUPERSEDED: notifyValue_ = Superseded; break;
    case MCI_NOTIFY_ABORTED: notifyValue_ = Aborted; break;
    case MCI_NOTIFY_FAILURE: notifyValue_ = Failure; break;
    default: return; // not a notice MCI sends
    }
    ++notifyCount_;
    if (OnNotify)
        OnNotify();
}

LRESULT MediaPlayer::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != MM_MCINOTIFY)
        return DefWindowProcW(window, message, wParam, lParam);
    Notified(wParam);
    return 0;
}
