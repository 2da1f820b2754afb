#pragma once
// The result stream of a protocol component: the reply bytes with a read position.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class TMemoryStream {
public:
    size_t Size() const { return FData.size(); }
    size_t Position() const { return FPosition; }
    void SetPosition(size_t position) { FPosition = std::min(position, FData.size()); }
    void Clear() {
        FData.clear();
        FPosition = 0;
    }
    void Write(const uint8_t* data, size_t count) {
        if (count == 0)
            return;
        if (FPosition + count > FData.size())
            FData.resize(FPosition + count);
        std::memcpy(FData.data() + FPosition, data, count);
        FPosition += count;
    }
    // Reads up to count bytes from the position; returns how many were read.
    size_t Read(void* buffer, size_t count) {
        size_t n = std::min(count, FData.size() - FPosition);
        if (n == 0)
            return 0;
        std::memcpy(buffer, FData.data() + FPosition, n);
        FPosition += n;
        return n;
    }
    const std::vector<uint8_t>& Bytes() const { return FData; }
    std::string ToString() const { return std::string(FData.begin(), FData.end()); }

private:
    std::vector<uint8_t> FData;
    size_t FPosition = 0;
};
