#pragma once
// A 64-bit FNV-1a hash of the bytes a cached result depends on: hosts write
// the diagram's records in place, so a cache cannot rely on setters alone.

#include <cstddef>
#include <cstdint>

namespace liquidus {

class TDataHash {
public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) m_hash = (m_hash ^ bytes[i]) * 1099511628211ULL;
    }
    template <typename T>
    void Add(const T& value) {
        Add(&value, sizeof value);
    }
    std::uint64_t Value() const { return m_hash; }

private:
    std::uint64_t m_hash = 14695981039346656037ULL;
};

}  // namespace liquidus
