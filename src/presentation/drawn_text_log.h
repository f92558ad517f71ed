#pragma once

#include <string_view>

// Told every text the table draws in its fonts (the banner, the score sheet, the notices; not the
// clock's digits), so a test can read what a player was shown, in whatever language, without reading
// pixels. The game draws without one.
class DrawnTextLog {
public:
    virtual ~DrawnTextLog() = default;
    virtual void Drawn(std::string_view text) = 0;
};
