#pragma once

#include <QStringList>

#include <cstdint>

namespace quill {

// A small deterministic random source (splitmix64): the same seed gives the
// same sequence on every machine and compiler, unlike the standard
// distributions. Streams are derived from a seed and a key, so one row can be
// generated without generating the rows before it.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed);
    DemoRandom(std::uint64_t seed, std::uint64_t key1, std::uint64_t key2 = 0);

    std::uint64_t next();
    // A whole number in [low, high].
    int between(int low, int high);
    bool chance(int percent);
    const QString& pick(const QStringList& list);

private:
    std::uint64_t m_state;
};

} // namespace quill
