#include "samples/SampleData.h"

#include <algorithm>

void AppendSample(TSampleData &to, const TSampleData &from)
{
    const int c = to.Count;
    const int total = std::min(TSampleData::Capacity, c + int(from.Count));
    for (int k = c; k < total; ++k) {
        to.N[k] = from.N[k - c];
        to.D[k] = from.D[k - c];
    }
    to.Count = uint16_t(total);
}
