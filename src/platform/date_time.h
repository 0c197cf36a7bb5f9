#pragma once

namespace qianyan {

// A local calendar time as the platform's clock gives it.
struct DateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

} // namespace qianyan
