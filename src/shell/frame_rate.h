#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The frames-per-second figure shown in the window's caption. It is measured over 30 frames at a
// time against the time of day in seconds; the time comes in as a parameter so the count can be
// tested with made-up times.
class FrameRateMeter {
public:
    // Counts one frame at `secondsOfDay` and returns the current rate (0 until the first measure).
    float FrameRate(float secondsOfDay);

    // For a loop that has stopped running frames (the table waits): without counting a frame, once a
    // second has passed since the last measure the rate becomes the frames counted since then over the
    // time passed, so the caption shows the frames actually run. Returns the current rate.
    float Refresh(float secondsOfDay);
    // Seconds until Refresh changes the rate; none once it shows that no frames run.
    std::optional<float> SecondsToRefresh(float secondsOfDay) const;

private:
    int16_t count_ = 0;
    float lastUpdate_ = 0.0F;
    float rate_ = 0.0F;
};

// Seconds since local midnight, as the meter wants them.
float SecondsOfDay();

// The window caption: "   " + x + "   " + y + "    Frames per Second =" + rate as "#.0".
std::string WindowCaption(int32_t mouseX, int32_t mouseY, float framesPerSecond);
