#pragma once
// Splits the bytes a unit receives into commands: each ends with CR, LF is ignored. A command
// longer than any frame can carry keeps only its beginning.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TSimCommandReader {
public:
    // Takes received bytes; returns the commands they complete, without their CR.
    std::vector<std::string> Feed(const uint8_t* data, size_t count);

private:
    std::string FPending;
};
