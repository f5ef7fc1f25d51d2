// A sound player over MCI, owned by the clock strip and never shown.
#pragma once

#include <string>

class MediaPlayer {
public:
    std::string FileName; // full path of the wave file; UTF-8
};
