#pragma once

#include "rules/BoardRules.h"

#include <QList>

#include <random>

namespace kestrix {

// Uniform integer in 0..m-1 from generator (0, drawing nothing, when m <= 0).
int uniformDraw(std::mt19937 &generator, int m);

// Draws ahead on a copy of a generator. The generator itself moves on only
// as far as the draws are committed: an edit that stops half way, at a
// picture that cannot be read, has then used exactly the numbers it drew
// before it stopped.
class DeferredRandom : public RandomSource
{
public:
    explicit DeferredRandom(std::mt19937 &generator) : m_generator(generator), m_ahead(generator) {}

    int random(int m) override;
    // Moves the generator on by the first count draws.
    void commit(int count);
    void commitAll() { commit(int(m_ranges.size())); }

private:
    std::mt19937 &m_generator;
    std::mt19937 m_ahead;
    QList<int> m_ranges; // the m of every draw, in order
    int m_committed = 0;
};

} // namespace kestrix
