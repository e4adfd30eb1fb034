#include "DemoRandom.h"

namespace quill {

namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

DemoRandom::DemoRandom(std::uint64_t seed)
    : m_state(mix(seed)) {}

DemoRandom::DemoRandom(std::uint64_t seed, std::uint64_t key1, std::uint64_t key2)
    : m_state(mix(mix(mix(seed) ^ key1) ^ key2)) {}

std::uint64_t DemoRandom::next() {
    m_state += 0x9e3779b97f4a7c15ULL;
    return mix(m_state);
}

int DemoRandom::between(int low, int high) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low + 1);
    return static_cast<int>(low + static_cast<std::int64_t>(next() % span));
}

bool DemoRandom::chance(int percent) {
    return between(0, 99) < percent;
}

const QString& DemoRandom::pick(const QStringList& list) {
    return list.at(between(0, static_cast<int>(list.size()) - 1));
}

} // namespace quill
