// The SDL audio subsystem and the mixer, opened on the system's device or on
// a named driver ("dummy" opens without any hardware).
#pragma once

#include <string>

class MixerDevice {
public:
    MixerDevice() = default;
    ~MixerDevice() { Close(); }
    MixerDevice(const MixerDevice&) = delete;
    MixerDevice& operator=(const MixerDevice&) = delete;

    // driver nullptr: whatever SDL picks. error receives the reason on failure.
    bool Open(const char* driver, int channels, std::string* error);
    void Close();
    bool IsOpen() const { return m_open; }

    // Length of a sound file in seconds read from the decoder (the whole file
    // is decoded only when the format cannot tell); < 0 when it cannot be
    // opened. Needs an open device.
    static double MeasureLength(const char* path);

private:
    bool m_open = false;
};
