#pragma once

#include <cstdint>
#include <string>

// The frames-per-second figure shown in the window's caption. It is measured over 30 frames at a
// time against the time of day in seconds; the time comes in as a parameter so the count can be
// tested with made-up times.
class FrameRateMeter {
public:
    // Counts one frame at `secondsOfDay` and returns the current rate (0 until the first measure).
    float FrameRate(float secondsOfDay);

private:
    int16_t count_ = 0;
    float lastUpdate_ = 0.0F;
    float rate_ = 0.0F;
};

// Seconds since local midnight, as the meter wants them.
float SecondsOfDay();

// The window caption: "   " + x + "   " + y + "    Frames per Second =" + rate as "#.0".
std::string WindowCaption(int32_t mouseX, int32_t mouseY, float framesPerSecond);
