// Fuzz target for the statistics parser: any text gives records and a problem, never a crash, and
// every record it accepts writes back to a line it accepts again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "persistence/statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const StatisticsFile file = ParseStatistics(text);
    (void)StatisticsRows(file.records);
    std::string again;
    for (const MatchRecord& r : file.records) {
        again += EncodeMatchRecord(r);
    }
    const StatisticsFile reread = ParseStatistics(again);
    if (!reread.problem.empty() || reread.records.size() != file.records.size()) {
        std::abort();
    }
    return 0;
}
