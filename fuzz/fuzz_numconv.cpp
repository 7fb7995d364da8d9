// The number conventions over every double and float, NaN and infinities
// included: defined results only.
#include "fuzzinput.h"
#include "platform/numconv.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const double value = in.take<double>();
    const auto n = in.take<std::int64_t>();
    const float single = in.take<float>();

    const std::int64_t rounded = numconv::roundHalfEven(value);
    const std::int64_t floored = numconv::intFloor(value);
    // Below 2^52 a double still has fraction bits, so the bounds are exact.
    if (std::isfinite(value) && std::fabs(value) < 4.0e15) {
        FUZZ_CHECK(double(floored) <= value && value < double(floored) + 1.0);
        FUZZ_CHECK(rounded == floored || rounded == floored + 1);
        FUZZ_CHECK(std::fabs(double(rounded) - value) <= 0.5);
    }
    (void)numconv::intDiv(value, n);
    const QString text = numconv::floatToText(single);
    FUZZ_CHECK(!text.isEmpty() && !text.contains(u'.'));
    return 0;
}
