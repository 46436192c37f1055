#include "app/DeferredRandom.h"

namespace kestrix {

int uniformDraw(std::mt19937 &generator, int m)
{
    if (m <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, m - 1)(generator);
}

int DeferredRandom::random(int m)
{
    m_ranges.append(m);
    return uniformDraw(m_ahead, m);
}

void DeferredRandom::commit(int count)
{
    for (; m_committed < count && m_committed < m_ranges.size(); ++m_committed)
        uniformDraw(m_generator, m_ranges[m_committed]);
}

} // namespace kestrix
